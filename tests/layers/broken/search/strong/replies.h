// A subfolder's file in its parent's namespace rather than its own.
#pragma once

namespace search {

int Replies();

}  // namespace search

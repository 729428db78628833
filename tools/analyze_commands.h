// The subcommands of curling-analyze. Each reads its own arguments (those after
// the subcommand's name) and returns the process's exit status.
#pragma once

// Reads positions from standard input and prints the candidate list of each.
int RunCandidatesCommand(int argc, char** argv);

// Plays shots read from standard input on a position, printing each result.
int RunPlayCommand(int argc, char** argv);

// Draws each position read from standard input as an SVG picture.
int RunPictureCommand(int argc, char** argv);

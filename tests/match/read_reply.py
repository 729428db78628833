# Reads the reply of the delivery line in a record (argument 1) with Python's
# own JSON reader and writes its bytes, one per character, to argument 2.
import json
import sys

with open(sys.argv[1], encoding="ascii") as record:
    line = json.loads(record.readline())
with open(sys.argv[2], "wb") as out:
    out.write(line["reply"].encode("latin-1"))

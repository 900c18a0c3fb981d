#!/bin/sh
# Stands in for an emulator in the tests of "Run in Emulator". Into the
# folder $STAND_IN_RECORD it copies every file it is given (as PID.copy) and
# writes its program name and arguments, one a line (as PID.args, which
# appears last and whole). With $STAND_IN_HOLD it then stays running that
# many seconds, as an emulator would, under the same process id.
set -eu
PATH=/usr/bin:/bin  # the tests empty the path the editor searches
record=${STAND_IN_RECORD:?}
for argument in "$@"; do
  file=${argument#*=}  # as in --option=FILE
  if [ -f "$file" ]; then cp "$file" "$record/$$.copy"; fi
done
{
  basename "$0"
  for argument in "$@"; do printf '%s\n' "$argument"; done
} > "$record/$$.args.part"
mv "$record/$$.args.part" "$record/$$.args"
exec sleep "${STAND_IN_HOLD:-0}"

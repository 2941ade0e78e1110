// How lines are numbered towards the host. The plain kinds number the stored
// lines; the numbered kind numbers the host's lines, so the continuation
// lines of a long line share their first line's number.
#pragma once

// The first line of the group a line belongs to (itself outside the
// numbered kind).
int GroupStart(int line);
// The 1-based number a record carries for the line.
int RecordNumber(int line);
// The lines of the group that starts at first.
int GroupLength(int first);

// What goes back to the host when a block's editor ends: the change records of
// local edit mode with their end record, or the whole text. Every reply is
// paced by the channel: it pauses whenever the output queue must drain and
// resumes at the same byte. After a reply with a trailer the terminal waits
// for the host's byte: 0x01 asks for everything again.
#pragma once

#include <cstdint>
#include <string>

// Local edit mode's record queue.
void QueueLineRecord(int line);      // the line's group as it stands now
void QueueInsertRecord(int line);    // an empty line inserted at this line
void QueueDeleteRecord(int line);    // this line removed
int QueuedRecordCount();
void ClearRecords();

// The text of a line as records carry it: trailing blanks dropped, a run of
// three or more blanks as DLE and the next text column + 32. Columns from
// `from` on.
void CompressLineText(const uint8_t* line, int from, int lineLength, std::string* out);

// The end of local edit mode: the queued records, then the end record.
void SendEditRecords(int code);
// The full-screen editor's reply and every refusal.
void SendWholeText(int code);

// A reply is being sent or the host's acknowledgement is awaited.
bool ReplyPending();
// Forget the reply (a new block or a reset): no byte more is sent.
void CancelReply();
void ResetEditReply();

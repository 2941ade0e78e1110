// The start commands of the streamed transfers, and what ends them early.
#pragma once

// ESC D I: a checksum download to the named endpoint; replies 13 (failed),
// 1 (acknowledged blocks) or 2.
void StartChecksumDownload(const char* name);
// ESC D R: a text download ("~" first: hexadecimal); a destination that
// cannot be created sends the stream to the bit bucket.
void StartTextDownload(const char* name);
// ESC D O (escape255 false) and ESC D P (true): a checksum upload; replies 13
// (started) or 1 (failed).
void StartChecksumUpload(const char* name, bool escape255);
// ESC D S: a hexadecimal upload ("~" first allowed); a file that cannot be
// opened answers the host's first request with the end of data.
void StartHexUpload(const char* name);

// A helper endpoint set up by the DDE layer: the transfer's destination or
// source.
void SetTransferDestination(class _dest* destination);
void SetTransferSource(class _src* source);
// The completion a pending start left, called with 1 (ready) or 0 (failed).
void CompletePendingStart(int result);

// Emulation reset (every disconnect) and the user's break: the transfers in
// progress are abandoned and forgotten, and so are the current source file,
// a listing and a text file send.
void AbandonAllTransfers();

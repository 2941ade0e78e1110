// Helpers shared by the transfer objects and their start commands.
#pragma once

#include <cstdint>

// Bytes to the host through the current channel.
void SendToHost(const uint8_t* bytes, int count);
void SendByteToHost(uint8_t byte);

// The 16-bit block checksum: data byte i (from 1) times i, summed.
uint16_t BlockChecksum(const uint8_t* data, int count);

// The byte counter at column 71 of the status row: 9 cells kept free of the
// host's message line while a transfer runs.
void ReserveTransferCounter();
void ReleaseTransferCounter();
void ShowTransferCounter(int64_t value);
void RepaintForProgress();

// ParseState handlers that forward host bytes to the current transfer.
void DownloadState(uint8_t byte);
void UploadState(uint8_t byte);
// A download stream is over: ParseState back to ground, no current download.
void EndDownloadStream();
// An upload is over: ParseState to ground, no current upload.
void EndUploadStream();

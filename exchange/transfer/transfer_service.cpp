#include "transfer_service.h"

#include "file_services.h"
#include "transfer_starts.h"

bool TransferService::CopyHostFile(const char* source, const char* destination, int64_t* countOrError) {
  return ::CopyHostFile(source, destination, countOrError);
}

bool TransferService::CopySource(const char* destination, int64_t* countOrError) {
  return CopyCurrentSource(destination, countOrError);
}

bool TransferService::DeleteHostFile(const char* name) { return ::DeleteHostFile(name); }
void TransferService::ListDirectory(const char* pattern) { ListHostDirectory(pattern); }
void TransferService::StartDownload(const char* name) { StartChecksumDownload(name); }
void TransferService::StartUpload(char variant, const char* name) { StartChecksumUpload(name, variant == 'P'); }
void TransferService::StartStreamDestination(const char* destination) { StartTextDownload(destination); }
void TransferService::SendSourceStream(const char* name) { StartHexUpload(name); }
void TransferService::OpenSource(const char* name) { OpenCurrentSource(name); }
void TransferService::AbandonTransfers() { AbandonAllTransfers(); }

// The engine's file seam served by the transfers and file services. The
// shell derives from it for the requests that need its dialogs.
#pragma once

#include "service_seams.h"

class TransferService : public FileSeam {
 public:
  bool CopyHostFile(const char* source, const char* destination, int64_t* countOrError) override;
  bool CopySource(const char* destination, int64_t* countOrError) override;
  bool DeleteHostFile(const char* name) override;
  void ListDirectory(const char* pattern) override;
  void StartDownload(const char* name) override;
  void StartUpload(char variant, const char* name) override;
  void StartStreamDestination(const char* destination) override;
  void SendSourceStream(const char* name) override;
  void OpenSource(const char* name) override;
  void AbandonTransfers() override;
};

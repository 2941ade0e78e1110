// The transfers' fixture with the helper endpoints on a scripted DDE layer.
#pragma once

#include "advise_seam.h"
#include "conversations.h"
#include "fake_dde_port.h"
#include "transfer_fixture.h"

inline const std::string kDownload = kEsc + "DI";
inline const std::string kUpload = kEsc + "DO";
inline const std::string kAdviseReport = kEsc + "DW\n";

class DdeTest : public TransferTest {
 protected:
  FakeDdePort dde;
  DdeAdviseSeam advise;

  void SetUp() override {
    TransferTest::SetUp();
    EngineContext c = Engine;
    c.dde = &advise;
    AttachEngine(c);
    ResetDdeEndpoints();
    AttachDdePort(&dde);
  }
  void TearDown() override {
    ShutDownDde();
    EXPECT_EQ(dde.LiveStrings(), 0) << "string handles left";
    EXPECT_EQ(dde.LiveData(), 0) << "data handles left";
    AttachDdePort(nullptr);
    ResetDdeEndpoints();
    TransferTest::TearDown();
  }
  // Starts a checksum upload from a helper endpoint; its reply byte.
  std::string StartUpload(const std::string& command) {
    Feed(kUpload + "/" + command + "\n");
    return TakeSent();
  }
  std::string StartDownload(const std::string& command) {
    Feed(kDownload + "/" + command + "\n");
    return TakeSent();
  }
  // The whole upload after a good start: every block acknowledged.
  std::string UploadAll(bool* ended) {
    std::string data;
    Feed("\r");
    for (int i = 0; i < 10000; ++i) {
      std::vector<UploadedBlock> blocks = DecodeUploadBlocks(TakeSent(), ended);
      for (const UploadedBlock& b : blocks) data += b.data;
      if (*ended) break;
      Feed("\r");
    }
    return data;
  }
};

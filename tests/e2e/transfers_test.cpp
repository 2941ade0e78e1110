// File transfers and file services through the real terminal, against the
// host simulator (its port in TAVIX_HOST_PORT; script scripts/transfers.host).
// The simulator checks every reply and every uploaded byte; this test puts
// the files to upload in place first and checks the files downloaded.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"

#ifndef TAVIX_E2E_SCRIPTS
#error "TAVIX_E2E_SCRIPTS must name tests/e2e/scripts"
#endif

namespace {

std::string ReadFile(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return "(missing)";
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Data(const char* name) { return ReadFile(WindowsPath(TAVIX_E2E_SCRIPTS "/transfers/") + name); }

TEST(FileTransfers, DownloadsUploadsAndServicesLeaveTheRightFiles) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TerminalProcess terminal;
  // The terminal works in its per-user folder; the uploads wait there.
  const std::string here = terminal.folder() + "\\Corvane";
  CreateDirectoryA(here.c_str(), nullptr);
  WriteFile(here + "\\upload.bin", Data("upload.bin"));
  WriteFile(here + "\\edata", Data("edata.txt"));
  CreateDirectoryA((here + "\\listing").c_str(), nullptr);
  WriteFile(here + "\\listing\\only.txt", "12345");
  SetFileAttributesA((here + "\\listing\\only.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  const std::string messages = terminal.folder() + "\\msg";
  terminal.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
                    "\r\nAutoconnect=1\r\nuserid=tester\r\n[Font]\r\nmode=0\r\n[Message]\r\nDirectory=" + messages +
                    "\r\nUse subdirectory=1\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  // The host ends the session in the middle of a download.
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "Connection terminated, reconnect?", IDNO, 60000));

  const std::string blocks = Data("blocks.bin");
  EXPECT_EQ(ReadFile(here + "\\download.bin"), blocks);
  EXPECT_EQ(ReadFile(messages + "\\ToPC\\inbox.txt"), Data("inbox.txt"));
  EXPECT_FALSE(Exists(messages + "\\ToPC\\inbox.txt.temp")) << "the work name is gone";
  EXPECT_FALSE(Exists(here + "\\edata")) << "the work file is deleted after its upload";
  EXPECT_EQ(ReadFile(here + "\\notes.txt"), Data("notes.txt"));
  EXPECT_EQ(ReadFile(here + "\\hex.bin"), Data("upload.bin"));
  EXPECT_EQ(ReadFile(here + "\\deep\\er\\copy.bin"), blocks) << "the folders were made";
  EXPECT_FALSE(Exists(here + "\\copy.bin")) << "deleted";
  EXPECT_EQ(ReadFile(here + "\\upload.bin"), Data("upload.bin"));
  EXPECT_EQ(ReadFile(here + "\\partial.bin"), blocks) << "the blocks written before the disconnect stay";

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(terminal.WaitForExit(), 0);
}

}  // namespace

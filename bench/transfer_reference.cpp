// The reference for the transfer benchmark: the least a Windows program can
// do with the same bytes on loopback TCP. Downloads: read 100 bytes a call
// and write the data in pieces of 1020 bytes until the end byte, then answer
// 13. Uploads: on each 13 from the host read 127 bytes of the file and send
// them as one block, until the file ends (2 and LF).
//   bench_transfer_reference PORT DOWNLOAD_OUT UPLOAD_IN
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool SendAll(SOCKET s, const char* bytes, int count) {
  while (count > 0) {
    int n = send(s, bytes, count, 0);
    if (n <= 0) return false;
    bytes += n;
    count -= n;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::printf("usage: bench_transfer_reference PORT DOWNLOAD_OUT UPLOAD_IN\n");
    return 2;
  }
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(std::atoi(argv[1])));
  to.sin_addr.s_addr = inet_addr("127.0.0.1");
  if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return 1;

  HANDLE out = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string pending;
  for (bool done = false; !done;) {
    char buffer[100];
    int n = recv(s, buffer, sizeof buffer, 0);
    if (n <= 0) return 1;
    for (int i = 0; i < n; ++i) {
      if (buffer[i] == 2) done = true;
    }
    pending.append(buffer, static_cast<size_t>(n));
    while (pending.size() >= 1020) {
      DWORD written;
      WriteFile(out, pending.data(), 1020, &written, nullptr);
      pending.erase(0, 1020);
    }
  }
  DWORD written;
  WriteFile(out, pending.data(), static_cast<DWORD>(pending.size()), &written, nullptr);
  CloseHandle(out);
  if (!SendAll(s, "\r", 1)) return 1;

  HANDLE in = CreateFileA(argv[3], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  for (int sequence = 0;; ++sequence) {
    char request;
    if (recv(s, &request, 1, 0) != 1) return 1;
    unsigned char block[127 + 3];
    DWORD got = 0;
    ReadFile(in, block, 127, &got, nullptr);
    if (got == 0) {
      SendAll(s, "\x02\n", 2);
      break;
    }
    unsigned sum = 0;
    for (DWORD i = 0; i < got; ++i) sum += block[i] * (i + 1);
    block[got] = static_cast<unsigned char>(sum);
    block[got + 1] = static_cast<unsigned char>(sum >> 8);
    block[got + 2] = static_cast<unsigned char>(sequence);
    std::string wire;
    for (DWORD i = 0; i < got + 3; ++i) {
      unsigned char b = block[i];
      if (b < 32) wire += '\xF0', wire += static_cast<char>(b + 32);
      else if (b == 127) wire += "\xF0" "A";
      else if (b == 240) wire += "\xF0" "B";
      else if (b == 255) wire += "\xF0" "C";
      else wire += static_cast<char>(b);
    }
    wire += '\n';
    if (!SendAll(s, wire.data(), static_cast<int>(wire.size()))) return 1;
  }
  CloseHandle(in);
  char rest[16];
  while (recv(s, rest, sizeof rest, 0) > 0) {
  }
  closesocket(s);
  return 0;
}

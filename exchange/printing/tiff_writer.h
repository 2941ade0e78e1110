// A black-and-white TIFF writer: little-endian, one strip per page, rows
// coded with the one-dimensional Modified Huffman codes of ITU-T T.4 (TIFF
// compression 2, no end-of-line codes, each row ending on a byte boundary),
// 200 x 196 dots per inch, pages chained. Pages are coded row by row straight
// into the output through a 32-bit bit accumulator.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the file goes. Writes follow each other; WriteAt patches bytes
// already written.
class TiffSink {
 public:
  virtual ~TiffSink() = default;
  virtual bool Write(const uint8_t* bytes, size_t count) = 0;
  virtual bool WriteAt(uint32_t offset, const uint8_t* bytes, size_t count) = 0;
};

// A page as the writer takes it: one plane of one bit per pixel, bit 1 white,
// the most significant bit the leftmost pixel, rows top first and stride bytes
// apart.
struct TiffPage {
  const uint8_t* bits;
  int width;
  int height;
  int stride;
  int planes;
  int bitsPerPixel;
};

class TiffWriter {
 public:
  explicit TiffWriter(TiffSink& sink) : sink_(sink) {}
  // The header: "II", 42, the first page's offset (patched later).
  void Begin();
  // One page; a page not of one plane and one bit per pixel sets the error
  // flag and writes nothing.
  void AppendPage(const TiffPage& page);
  // The last page's next-page offset stays 0; true when every write worked.
  bool Finish();
  bool failed() const { return error_; }

 private:
  // The one writer: after a failed write nothing more is written.
  void Put(const uint8_t* bytes, size_t count);
  void Put16(uint16_t value);
  void Put32(uint32_t value);
  void PatchAt(uint32_t offset, uint32_t value, size_t size);
  void Flush();
  // Bit writer.
  void PutBits(uint32_t bits, int length);
  void PadToByte();
  void PutRun(int length, bool white);
  void CodeRow(const uint8_t* row, int width);
  void Entry(uint16_t tag, uint16_t type, uint32_t value);

  TiffSink& sink_;
  bool error_ = false;
  uint32_t offset_ = 0;         // bytes written so far, buffered ones included
  uint32_t nextPointer_ = 0;    // the first-page pointer, then the last page's next pointer
  uint16_t entryCount_ = 0;
  uint32_t accumulator_ = 0;    // filled from the most significant bit
  int bitCount_ = 0;
  uint8_t buffer_[4096];
  size_t buffered_ = 0;
};

// Byte streams: the abstract stream, a growable memory stream and a file
// stream. Whole files are written with WriteFileAtomically (FileReplace.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/FileReplace.h"

namespace pixkura {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes count bytes; returns how many were written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Moves the position; returns the new position.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
  virtual int64_t Size();
  // Bytes between the position and the end: the most a reader can still get.
  int64_t Remaining();

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source (all of it from its start when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }

  uint8_t* Memory() { return data_.data(); }
  const uint8_t* Memory() const { return data_.data(); }
  void SetSize(int64_t size);
  void Clear();
  // Replaces the content with the whole of source (from its start).
  void LoadFromStream(TStream& source);
  void LoadFromFile(const std::string& fileName);
  // Writes the content to fileName, replacing it atomically.
  void SaveToFile(const std::string& fileName) const;
  const std::vector<uint8_t>& Bytes() const { return data_; }
  std::vector<uint8_t> TakeBytes();

 private:
  std::vector<uint8_t> data_;
  int64_t position_ = 0;
};

// Open modes of TFileStream.
enum class TFileMode { fmOpenRead, fmCreate };

// A file opened for reading (EFOpenError when it cannot be) or created for
// writing (EFCreateError). A failed transfer raises EInOutError.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  int fd_ = -1;
};

bool FileExists(const std::string& fileName);

}  // namespace pixkura

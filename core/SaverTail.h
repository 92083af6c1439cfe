// Reading the tail of a saver file: the 384-byte record at its very end and
// the logo block before it. Works on any byte source, so the screensaver,
// the library and the tests share one reader.
#pragma once

#include "core/SaverRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TailSource {
  public:
    virtual ~TailSource() = default;
    virtual uint64_t Size() = 0;
    // True only when exactly `count` bytes at `offset` were read.
    virtual bool ReadAt(uint64_t offset, void* buffer, std::size_t count) = 0;
};

class ByteTailSource final : public TailSource {
  public:
    ByteTailSource(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    uint64_t Size() override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, std::size_t count) override;

  private:
    const uint8_t* data_;
    std::size_t size_;
};

// Reads the record into `trailer` and the logo block into `logo`.
//  - no marker "TORVASKE" (or a file shorter than a record): defaults
//    restored, ReadNotSaver;
//  - Version, as a signed byte, above 2: ReadNewer; below 2: ReadOlder (the
//    record stays as read);
//  - LogoSize <= 0: defaults restored, no logo, ReadOk;
//  - a LogoSize reaching before the start of the file, a logo block that
//    cannot be allocated, or a failed read: ReadNotSaver with no logo;
//  - otherwise the logo block is read, the settings normalised, ReadOk.
// `seed` seeds the random generator whenever the defaults are restored.
ReadResult ReadSaverTail(TailSource& file, SaverTrailer& trailer, std::vector<uint8_t>& logo,
                         uint32_t seed);

// The name block at the end of a content logo: name, NUL, int32 length of
// name and NUL. Returns nothing when the length points outside the block or
// the name is not terminated where the length says.
struct ContentNameBlock {
    std::string Name;
    std::size_t ContentSize; // bytes of the content before the name block
};
std::optional<ContentNameBlock> FindContentName(const uint8_t* block, std::size_t size);

// "Software\Quorvel\Savers\<name>.<id in lower-case hex>\" (the name as is).
std::string SaverRegistryKey(const SaverTrailer& trailer);

// The bytes a writer appends to a program image: the logo block (followed by
// a content name block when `contentPath` is given: the text after its last
// backslash, further leading backslashes skipped) and the record, with
// LogoSize set to the logo block's size.
std::vector<uint8_t> BuildSaverTail(SaverTrailer trailer, const std::vector<uint8_t>& logo,
                                    const char* contentPath = nullptr);

// The content name block for a content file's path.
std::vector<uint8_t> MakeContentNameBlock(const char* contentPath);

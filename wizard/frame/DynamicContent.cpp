#include "wizard/frame/DynamicContent.h"

#include "core/DynamicType.h"
#include "common/Handles.h"
#include "wizard/frame/Errors.h"

#include <algorithm>

namespace {

class FileStream final : public ByteStream {
  public:
    explicit FileStream(HANDLE file) : file_(file) {}
    std::size_t Read(uint8_t* buffer, std::size_t count) override {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 20));
        if (!ReadFile(file_, buffer, want, &got, nullptr))
            RaiseLastError();
        return got;
    }

  private:
    HANDLE file_;
};

} // namespace

std::wstring GetDynamicType(const std::wstring& file, RECT& size) {
    // No such file, or a folder: neither kind.
    DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    UniqueFile handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!handle)
        RaiseLastError();
    FileStream stream(handle.get());
    DynamicContent content = DetectDynamicContent(stream);
    if (content.Kind == DynamicKind::Flash) {
        if (content.Frame == FrameStatus::Truncated)
            throw CreatorError(ErrSubscript, L"The Flash movie ends inside its frame size.");
        size.right = content.Width;
        size.bottom = content.Height;
    }
    std::string_view text = DynamicKindText(content.Kind);
    return std::wstring(text.begin(), text.end());
}

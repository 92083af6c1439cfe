#include "DialogTemplate.h"

#include <stdexcept>

namespace {

class Reader {
  public:
    Reader(const BYTE* data, std::size_t size) : data_(data), size_(size) {}
    WORD Word() {
        Need(2);
        WORD w;
        memcpy(&w, data_ + at_, 2);
        at_ += 2;
        return w;
    }
    DWORD Dword() {
        const WORD lo = Word();
        return lo | static_cast<DWORD>(Word()) << 16;
    }
    short Short() { return static_cast<short>(Word()); }
    std::string WideString() {
        std::wstring text;
        for (WORD c = Word(); c; c = Word())
            text += static_cast<wchar_t>(c);
        return std::string(text.begin(), text.end());
    }
    // A string or, after 0xFFFF, an ordinal (given as "#n").
    std::string StringOrOrdinal() {
        Need(2);
        WORD first;
        memcpy(&first, data_ + at_, 2);
        if (first == 0xFFFF) {
            at_ += 2;
            std::string ordinal = "#";
            ordinal += std::to_string(Word());
            return ordinal;
        }
        return WideString();
    }
    void AlignDword() { at_ = (at_ + 3) & ~static_cast<std::size_t>(3); }
    void Skip(std::size_t n) {
        Need(n);
        at_ += n;
    }

  private:
    void Need(std::size_t n) const {
        if (at_ + n > size_)
            throw std::runtime_error("dialog template too short");
    }
    const BYTE* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::string ClassName(const std::string& raw) {
    if (raw == "#128")
        return "Button";
    if (raw == "#129")
        return "Edit";
    if (raw == "#130")
        return "Static";
    if (raw == "#131")
        return "ListBox";
    if (raw == "#133")
        return "ComboBox";
    return raw;
}

} // namespace

const DialogItem* DialogTemplate::Find(int id) const {
    for (const DialogItem& item : Items)
        if (item.Id == id)
            return &item;
    return nullptr;
}

DialogTemplate ReadDialogTemplate(HINSTANCE module, int id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!found)
        throw std::runtime_error("no dialog " + std::to_string(id));
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const BYTE*>(LockResource(loaded));
    Reader r(data, SizeofResource(module, found));

    DialogTemplate t;
    t.Style = r.Dword();
    r.Dword(); // extended style
    const WORD count = r.Word();
    r.Short();
    r.Short();
    t.Cx = r.Short();
    t.Cy = r.Short();
    r.StringOrOrdinal(); // menu
    r.StringOrOrdinal(); // class
    t.Title = r.WideString();
    if (t.Style & DS_SETFONT) {
        t.PointSize = r.Word();
        t.Font = r.WideString();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword();
        DialogItem item{};
        item.Style = r.Dword();
        r.Dword();
        item.X = r.Short();
        item.Y = r.Short();
        item.Cx = r.Short();
        item.Cy = r.Short();
        item.Id = r.Word();
        item.Class = ClassName(r.StringOrOrdinal());
        item.Text = r.StringOrOrdinal();
        r.Skip(r.Word()); // creation data
        t.Items.push_back(item);
    }
    return t;
}

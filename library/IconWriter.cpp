#include "library/IconWriter.h"

#include "core/IconDirectory.h"
#include "common/Handles.h"

#include <new>
#include <string>
#include <utility>
#include <vector>

namespace {

const WORD SaverLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK); // 0x809
const char* const SaverIconGroup = MAKEINTRESOURCEA(5);
const char* const IconType = MAKEINTRESOURCEA(3);   // RT_ICON
const char* const GroupType = MAKEINTRESOURCEA(14); // RT_GROUP_ICON

// An open resource update of a file, discarded unless committed.
class ResourceUpdate {
  public:
    explicit ResourceUpdate(const char* path) : handle_(BeginUpdateResourceA(path, FALSE)) {}
    ResourceUpdate(const ResourceUpdate&) = delete;
    ResourceUpdate& operator=(const ResourceUpdate&) = delete;
    ~ResourceUpdate() {
        if (handle_)
            EndUpdateResourceA(handle_, TRUE);
    }
    explicit operator bool() const { return handle_ != nullptr; }
    bool Put(const char* type, const char* name, const void* data, std::size_t size) {
        return UpdateResourceA(handle_, type, name, SaverLanguage, const_cast<void*>(data),
                               static_cast<DWORD>(size)) != FALSE;
    }
    void Delete(const char* type, const char* name) {
        UpdateResourceA(handle_, type, name, SaverLanguage, nullptr, 0);
    }
    bool Commit() {
        const BOOL ok = EndUpdateResourceA(std::exchange(handle_, nullptr), FALSE);
        return ok != FALSE;
    }

  private:
    HANDLE handle_;
};

struct Span {
    const uint8_t* Data = nullptr;
    std::size_t Size = 0;
};

// What the module's mapping covers: committed, readable pages of the one
// allocation that the module handle points into.
class MappedImage {
  public:
    explicit MappedImage(HMODULE module) {
        // A module loaded as data has its low bits set.
        const auto base = reinterpret_cast<uintptr_t>(module) & ~uintptr_t{3};
        MEMORY_BASIC_INFORMATION region{};
        uintptr_t at = base;
        while (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) ==
                   sizeof region &&
               reinterpret_cast<uintptr_t>(region.AllocationBase) == base &&
               region.State == MEM_COMMIT && Readable(region.Protect)) {
            at = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
            end_ = at;
        }
        begin_ = end_ ? base : 0;
    }
    // A resource's address and size come from the file: a hostile one may
    // name bytes past the image, or wrap around the address space.
    bool Holds(const void* data, std::size_t size) const {
        const auto from = reinterpret_cast<uintptr_t>(data);
        return from >= begin_ && from < end_ && size <= end_ - from;
    }

  private:
    static bool Readable(DWORD protect) {
        const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        return (protect & readable) != 0 && (protect & PAGE_GUARD) == 0;
    }
    uintptr_t begin_ = 0, end_ = 0;
};

Span FindResourceBytes(HMODULE module, const MappedImage& image, const char* name,
                       const char* type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (!data || !image.Holds(data, size))
        return {};
    return {static_cast<const uint8_t*>(data), size};
}

// The name of the icon group at a position of the module's enumeration.
struct GroupSearch {
    explicit GroupSearch(int32_t wanted) : Wanted(wanted) {}
    int32_t Wanted;
    int32_t Seen = 0;
    bool Found = false;
    WORD Id = 0;      // a numeric name
    std::string Name; // else a string name
};

BOOL CALLBACK FindGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    auto* search = reinterpret_cast<GroupSearch*>(param);
    if (search->Seen++ != search->Wanted)
        return TRUE;
    search->Found = true;
    if (IS_INTRESOURCE(name))
        search->Id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    else
        search->Name = name;
    return FALSE;
}

// A program or library, opened for its resources only: none of its code runs.
UniqueModule LoadAsData(const char* path) {
    HMODULE module =
        LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) // systems before Vista do not know the second flag
        module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return UniqueModule(module);
}

bool IconFromModule(const char* source, const char* saverPath, int32_t index) {
    UniqueModule module = LoadAsData(source);
    if (!module)
        return false;
    GroupSearch search(index);
    EnumResourceNamesA(module.get(), GroupType, FindGroup, reinterpret_cast<LONG_PTR>(&search));
    if (!search.Found)
        return false;
    const char* name = search.Name.empty() ? MAKEINTRESOURCEA(search.Id) : search.Name.c_str();
    const MappedImage image(module.get());
    const Span group = FindResourceBytes(module.get(), image, name, GroupType);
    const auto renumbered = RenumberIconGroup(group.Data, group.Size);
    if (!renumbered)
        return false;

    // Every image is found, inside the module, before the saver file is
    // touched.
    std::vector<Span> images;
    for (uint16_t id : renumbered->SourceIds) {
        images.push_back(FindResourceBytes(module.get(), image, MAKEINTRESOURCEA(id), IconType));
        if (!images.back().Data)
            return false;
    }

    ResourceUpdate update(saverPath);
    if (!update)
        return false;
    for (std::size_t k = 0; k < images.size(); ++k)
        if (!update.Put(IconType, MAKEINTRESOURCEA(k + 1), images[k].Data, images[k].Size))
            return false;
    if (!update.Put(GroupType, SaverIconGroup, renumbered->Directory.data(),
                    renumbered->Directory.size()))
        return false;
    return update.Commit();
}

bool IconFromFile(HANDLE file, const char* saverPath) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > MAXDWORD)
        return false;
    std::vector<uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    LARGE_INTEGER start{};
    DWORD got = 0;
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN) ||
        !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
        got != bytes.size())
        return false;
    // Entries whose images lie outside the file, or a count the file cannot
    // hold, leave the icon as it is.
    const auto icon = ParseIconFile(bytes.data(), bytes.size());
    if (!icon)
        return false;
    const std::vector<uint8_t> group = MakeIconGroup(*icon);

    ResourceUpdate update(saverPath);
    if (!update)
        return false;
    for (std::size_t k = 0; k < icon->Entries.size(); ++k) {
        const IconFileEntry& e = icon->Entries[k];
        if (!update.Put(IconType, MAKEINTRESOURCEA(k + 1), bytes.data() + e.Offset, e.Size))
            return false; // the whole update is discarded
    }
    update.Delete(GroupType, SaverIconGroup);
    if (!update.Put(GroupType, SaverIconGroup, group.data(), group.size()))
        return false;
    return update.Commit();
}

} // namespace

bool WriteSaverIcon(const char* source, const char* saverPath, int32_t index) {
    if (!source || !source[0] || !saverPath)
        return false;
    try {
        UniqueFile file(CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        char magic[2] = {};
        DWORD got = 0;
        if (ReadFile(file.get(), magic, 2, &got, nullptr) && got == 2 && magic[0] == 'M' &&
            magic[1] == 'Z') {
            file.reset();
            return IconFromModule(source, saverPath, index);
        }
        return IconFromFile(file.get(), saverPath);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

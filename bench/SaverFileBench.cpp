// The creator's saver files: making one from a 1920 x 1080 PNG with alpha
// (decode, hand-over to the library, file work) and reopening it (read,
// extract, decode), each in ms and as a ratio to copying the finished file
// in the same run. A 512 x 512 logo's saver must be written within 50 ms (the
// fastest of several writes, so a busy machine does not fail it).
#include "core/CreatorError.h"
#include "wizard/frame/Imaging.h"
#include "wizard/frame/SaverLibrary.h"
#include "wizard/pages/SaverFileWork.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double WriteBudgetMs = 50;

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

template <typename Work> double Ms(Work work) {
    const double start = Now();
    work();
    return Now() - start;
}

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool HandOver(const Picture& logo, std::wstring bmp) {
    SaverExports& library = SaverLibrary();
    library.SetSettings(nullptr);
    library.GetVersion(40515);
    try {
        HandOverPictureLogo(logo, logo.Width, logo.Height, bmp);
    } catch (const CreatorError&) {
        return false;
    }
    library.SetColor(0, -1);
    return true;
}

int Fail(const char* what) {
    std::fprintf(stderr, "qv_saver_file_bench: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const int runs = quick ? 1 : 5;
    HRSRC found = FindResourceW(nullptr, L"BENCH_LARGE_PNG", MAKEINTRESOURCEW(800));
    if (!found)
        return Fail("no picture resource");
    const auto* png = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    const std::wstring picture = TempFile(L"qv-bench-large.png"), bmp = TempFile(L"qv-bench.bmp"),
                       scr = TempFile(L"qv-bench.scr"), copy = TempFile(L"qv-bench-copy.scr");
    {
        const HANDLE file =
            CreateFileW(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD put = 0;
        WriteFile(file, png, SizeofResource(nullptr, found), &put, nullptr);
        CloseHandle(file);
    }

    // Medians over the runs, all measured in this one process.
    std::vector<double> decode, handOver, work, read, decodeBack, copying, small;
    SettingsRecord settings;
    for (int run = 0; run < runs; ++run) {
        ImageLoad load;
        decode.push_back(Ms([&] { load = LoadPictureFile(picture, AlphaForm::AsLogo); }));
        if (load.Status != ImageStatus::Ok)
            return Fail("the picture did not load");
        bool handed = false;
        handOver.push_back(Ms([&] { handed = HandOver(load.Image, bmp); }));
        SaverRequest request;
        request.Name = L"Bench";
        request.LogoFile = bmp;
        request.SaveAs = scr;
        SaverOutcome outcome;
        work.push_back(Ms([&] { outcome = WriteSaverFile(request, settings); }));
        if (!handed || !outcome.Written)
            return Fail("the saver was not written");
        copying.push_back(Ms([&] { CopyFileW(scr.c_str(), copy.c_str(), FALSE); }));

        ReopenedSaver reopened;
        read.push_back(Ms([&] { reopened = ReadSaverForWizard(scr, settings); }));
        ImageLoad back;
        decodeBack.push_back(
            Ms([&] { back = LoadPictureFile(reopened.LogoFile, AlphaForm::AsLogo); }));
        if (!reopened.LogoSaved || back.Status != ImageStatus::Ok)
            return Fail("the saver did not reopen");

        // A 512 x 512 logo (1 MB): the write alone.
        Picture logo512;
        if (!ResizePicture(load.Image, 512, 512, logo512) || !HandOver(logo512, bmp))
            return Fail("no 512 x 512 logo");
        // Several writes: the budget is checked against the fastest, which
        // other work on the machine can only slow down.
        for (int write = 0; write < 5; ++write) {
            small.push_back(Ms([&] { outcome = WriteSaverFile(request, settings); }));
            if (!outcome.Written)
                return Fail("the 512 x 512 saver was not written");
        }
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double copyMs = std::max(median(copying), 0.001);
    const double create = median(decode) + median(handOver) + median(work);
    const double reopen = median(read) + median(decodeBack);
    std::printf("saver files, 1920 x 1080 PNG with alpha%s\n", quick ? " (quick run)" : "");
    std::printf("  copy of the finished file  %8.2f ms   1.00\n", copyMs);
    std::printf("  create: decode             %8.2f ms %6.2f\n", median(decode),
                median(decode) / copyMs);
    std::printf("          hand-over          %8.2f ms %6.2f\n", median(handOver),
                median(handOver) / copyMs);
    std::printf("          file work          %8.2f ms %6.2f\n", median(work),
                median(work) / copyMs);
    std::printf("          total              %8.2f ms %6.2f\n", create, create / copyMs);
    std::printf("  reopen: read and extract   %8.2f ms %6.2f\n", median(read),
                median(read) / copyMs);
    std::printf("          decode             %8.2f ms %6.2f\n", median(decodeBack),
                median(decodeBack) / copyMs);
    std::printf("          total              %8.2f ms %6.2f\n", reopen, reopen / copyMs);
    const double fastest = *std::min_element(small.begin(), small.end());
    std::printf("  512 x 512 logo's write     %8.2f ms (fastest %.2f ms, budget %.0f ms)\n",
                median(small), fastest, WriteBudgetMs);
    for (const std::wstring& f : {picture, bmp, scr, copy, ExtractedLogoPath()})
        DeleteFileW(f.c_str());
    if (fastest > WriteBudgetMs)
        return Fail("the 512 x 512 logo's saver took longer than its budget");
    return 0;
}

// Reads the resources back out of built executables under Windows (or Wine):
// the version block of every file named on the command line, and the icon
// and manifest of the first one (vorlen.exe); the dedication picture is read
// on screen (form1_test).
// Usage: vorlen_resources_test [gtest options] vorlen.exe [setup.exe ...]
#include "resource_ids.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cwchar>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <windows.h>

namespace {

std::vector<std::wstring> files; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

TEST(VersionInfo, TurkishBlockNamesTheProductItsMakerAndVersion)
{
    ASSERT_FALSE(files.empty()) << "name the executables to check on the command line";
    for (const std::wstring& file : files) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        std::vector<std::byte> block(GetFileVersionInfoSizeW(file.c_str(), nullptr));
        ASSERT_FALSE(block.empty()) << "no version information, error " << GetLastError();
        ASSERT_NE(GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()),
                  FALSE);
        const auto query = [&block](const std::wstring& path, UINT& length) -> const void* {
            void* value = nullptr;
            return VerQueryValueW(block.data(), path.c_str(), &value, &length) != FALSE ? value : nullptr;
        };
        UINT length = 0;
        const auto* translation = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation", length));
        ASSERT_TRUE(translation != nullptr && length >= 4U);
        EXPECT_EQ(translation[0], 0x041F) << "language";
        // Our own files say 1200 (UTF-16, which is how the strings are
        // stored); the installer's builder says 1254 (Turkish Windows).
        EXPECT_THAT(translation[1], testing::AnyOf(1200, 1254)) << "code page";
        for (const auto& [name, wanted] :
             {std::pair{L"ProductName", L"Vorlen"}, std::pair{L"CompanyName", L"Keldar Yazılım"},
              std::pair{L"FileVersion", L"1.00"}, std::pair{L"ProductVersion", L"1.00"}}) {
            std::array<wchar_t, 64> path{};
            std::swprintf(path.data(), path.size(), L"\\StringFileInfo\\%04X%04X\\%ls", translation[0],
                          translation[1], name);
            const auto* value = static_cast<const wchar_t*>(query(path.data(), length));
            EXPECT_EQ(value != nullptr ? std::wstring(value, length - 1) : L"(missing)", wanted);
        }
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\", length));
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000U);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000U);
    }
}

// An icon drawn on white: the pixel at its corner and at its centre.
std::pair<COLORREF, COLORREF> drawnIcon(HICON icon, int size)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    PatBlt(dc, 0, 0, size, size, WHITENESS);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    const std::pair pixels{GetPixel(dc, 0, 0), GetPixel(dc, size / 2, size / 2)};
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    return pixels;
}

TEST(ProgramResources, IconAndManifest)
{
    ASSERT_FALSE(files.empty()) << "name vorlen.exe on the command line";
    HMODULE module = LoadLibraryExW(files.front().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
    const auto resource = [module](LPCWSTR type, LPCWSTR name) -> std::basic_string_view<BYTE> {
        HRSRC found = FindResourceW(module, name, type);
        if (found == nullptr) {
            return {};
        }
        return {static_cast<const BYTE*>(LockResource(LoadResource(module, found))),
                SizeofResource(module, found)};
    };

    // 16 and 32 px in 16 and in 256 colours, then 32-bit images with alpha:
    // each a blue cross on a transparent ground.
    const auto group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_VORLEN));
    ASSERT_GE(group.size(), 6U);
    std::vector<std::pair<int, int>> images;
    for (std::size_t at = 6; at + 14 <= group.size(); at += 14) { // GRPICONDIRENTRY
        const int size = group[at] == 0 ? 256 : group[at];
        images.emplace_back(size, group[at + 6]);
        const auto image = resource(RT_ICON, MAKEINTRESOURCEW(group[at + 12] | (group[at + 13] << 8U)));
        HICON icon =
            CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                     0x00030000, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << size;
        const auto [corner, centre] = drawnIcon(icon, size);
        EXPECT_EQ(corner, RGB(255, 255, 255)) << size << " the ground shows through";
        EXPECT_TRUE(GetBValue(centre) > 150 && GetRValue(centre) < 100 &&
                    GetGValue(centre) + 60 < GetBValue(centre))
            << size << " blue";
        DestroyIcon(icon);
    }
    EXPECT_EQ(images,
              (std::vector<std::pair<int, int>>{
                  {16, 4}, {32, 4}, {16, 8}, {32, 8}, {16, 32}, {24, 32}, {32, 32}, {48, 32}, {256, 32}}));

    const auto bytes = resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    const std::string_view manifest(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const char* asked :
         {">PerMonitorV2, PerMonitor<", ">true/pm<",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\""}) {
        EXPECT_NE(manifest.find(asked), std::string_view::npos) << asked;
    }
    FreeLibrary(module);
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    files.assign(argv + 1, argv + argc);
    return RUN_ALL_TESTS();
}

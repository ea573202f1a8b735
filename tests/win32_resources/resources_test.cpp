// Reads the resources back out of built executables under Windows (or Wine):
// the version block of every file named on the command line, and the icon,
// dedication picture and manifest of the first one (vorlen.exe).
// Usage: vorlen_resources_test [gtest options] vorlen.exe [setup.exe ...]
#include "resource_ids.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace {

std::vector<std::wstring> files; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

// A string of the block that the translation entry names, as Explorer finds it.
std::wstring versionString(const std::vector<std::byte>& block, const WORD* translation,
                           std::wstring_view name)
{
    std::array<wchar_t, 64> path{};
    std::swprintf(path.data(), path.size(), L"\\StringFileInfo\\%04X%04X\\%ls", translation[0],
                  translation[1], std::wstring(name).c_str());
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), path.data(), &value, &length) == FALSE || length == 0) {
        return L"(missing)";
    }
    return {static_cast<const wchar_t*>(value), length - 1};
}

TEST(VersionInfo, TurkishBlockNamesTheProductItsMakerAndVersion)
{
    ASSERT_FALSE(files.empty()) << "name the executables to check on the command line";
    for (const std::wstring& file : files) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
        ASSERT_NE(size, 0U) << "no version information, error " << GetLastError();
        std::vector<std::byte> block(size);
        ASSERT_NE(GetFileVersionInfoW(file.c_str(), 0, size, block.data()), FALSE);

        void* value = nullptr;
        UINT length = 0;
        ASSERT_NE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length), FALSE);
        ASSERT_GE(length, 4U);
        const auto* translation = static_cast<const WORD*>(value);
        EXPECT_EQ(translation[0], 0x041F) << "language";
        // Our own files say 1200 (UTF-16, which is how the strings are
        // stored); the installer's builder says 1254 (Turkish Windows).
        EXPECT_THAT(translation[1], testing::AnyOf(1200, 1254)) << "code page";

        EXPECT_EQ(versionString(block, translation, L"ProductName"), L"Vorlen");
        EXPECT_EQ(versionString(block, translation, L"CompanyName"), L"Keldar Yazılım");
        EXPECT_EQ(versionString(block, translation, L"FileVersion"), L"1.00");
        EXPECT_EQ(versionString(block, translation, L"ProductVersion"), L"1.00");

        ASSERT_NE(VerQueryValueW(block.data(), L"\\", &value, &length), FALSE);
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000U);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000U);
    }
}

// The first file, loaded for its resources only.
class ProgramResources : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(files.empty()) << "name vorlen.exe on the command line";
        module_ = LoadLibraryExW(files.front().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "error " << GetLastError();
    }
    void TearDown() override
    {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }

    std::basic_string_view<std::byte> resource(LPCWSTR type, LPCWSTR name) const
    {
        HRSRC found = FindResourceW(module_, name, type);
        if (found == nullptr) {
            return {};
        }
        return {static_cast<const std::byte*>(LockResource(LoadResource(module_, found))),
                SizeofResource(module_, found)};
    }

    HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct Rgb {
    int red;
    int green;
    int blue;
};

// Draws an icon on white and reads back one pixel.
Rgb drawnPixel(HICON icon, int size, int x, int y)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const std::uint32_t pixel = static_cast<const std::uint32_t*>(bits)[y * size + x];
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return {static_cast<int>((pixel >> 16U) & 0xFFU), static_cast<int>((pixel >> 8U) & 0xFFU),
            static_cast<int>(pixel & 0xFFU)};
}

TEST_F(ProgramResources, IconHoldsEveryImageAsABlueCrossOnATransparentGround)
{
    const auto group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_VORLEN));
    ASSERT_GE(group.size(), 6U);
    const auto count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconDirectoryEntry));

    struct Image {
        int size;
        int bits;
    };
    // 16 and 32 px in 16 and in 256 colours, then 32-bit images with alpha.
    constexpr std::array wanted{Image{16, 4},  Image{32, 4},  Image{16, 8},  Image{32, 8},  Image{16, 32},
                                Image{24, 32}, Image{32, 32}, Image{48, 32}, Image{256, 32}};
    std::vector<Image> found;
    for (WORD i = 0; i < count; ++i) {
        IconDirectoryEntry entry{};
        std::memcpy(&entry, group.data() + 6 + i * sizeof(entry), sizeof(entry));
        const int size = entry.width == 0 ? 256 : entry.width;
        found.push_back({size, entry.bitCount});
        SCOPED_TRACE(testing::Message() << size << " px, " << entry.bitCount << " bits");

        const auto image = resource(RT_ICON, MAKEINTRESOURCEW(entry.id));
        ASSERT_EQ(image.size(), entry.bytes);
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<std::byte*>(image.data())),
                                              static_cast<DWORD>(image.size()), TRUE, 0x00030000, size, size,
                                              LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        const Rgb corner = drawnPixel(icon, size, 0, 0);
        const Rgb centre = drawnPixel(icon, size, size / 2, size / 2);
        DestroyIcon(icon);
        EXPECT_EQ(corner.red + corner.green + corner.blue, 3 * 255) << "the ground shows through";
        EXPECT_GT(centre.blue, 150);
        EXPECT_LT(centre.red, 100);
        EXPECT_LT(centre.green, centre.blue - 60);
    }
    ASSERT_EQ(found.size(), wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        EXPECT_EQ(found[i].size, wanted[i].size) << "image " << i;
        EXPECT_EQ(found[i].bits, wanted[i].bits) << "image " << i;
    }
}

TEST_F(ProgramResources, DedicationPictureLoadsAtItsOwnSizeOnTheBeigeGround)
{
    auto* picture = static_cast<HBITMAP>(
        LoadImageW(module_, MAKEINTRESOURCEW(IDB_DEDICATION), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(picture, nullptr);
    BITMAP shape{};
    ASSERT_NE(GetObjectW(picture, sizeof(shape), &shape), 0);
    EXPECT_EQ(shape.bmWidth, 260);
    EXPECT_EQ(shape.bmHeight, 150);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(236, 233, 216));
    EXPECT_EQ(GetPixel(dc, 259, 149), RGB(236, 233, 216));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
}

TEST_F(ProgramResources, ManifestAsksForPerMonitorScalingAndCommonControls6)
{
    const auto bytes = resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    const std::string_view manifest(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<"), std::string_view::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string_view::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string_view::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string_view::npos);
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    files.assign(argv + 1, argv + argc);
    return RUN_ALL_TESTS();
}

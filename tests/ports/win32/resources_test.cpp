// The program file's resources, as the system reads them: the name in the
// screen-saver list, the icon, the version and the DPI-aware manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ports/win32/process.hpp"
#include "ports/win32/unicode.hpp"

using namespace quimbel::win32_port;

namespace {

// The program lands beside the tests.
class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = Widen(Win32Process().ExecutableDirectory()) + L"\\quimbel.scr";
    module_ = LoadLibraryExW(path_.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "quimbel.scr not built beside the tests";
  }
  void TearDown() override {
    if (module_ != nullptr)
      FreeLibrary(module_);
  }
  std::string Resource(const wchar_t* type, int id) {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (found == nullptr)
      return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(data, SizeofResource(module_, found));
  }

  std::wstring path_;
  HMODULE module_ = nullptr;
};

}  // namespace

TEST_F(ResourcesTest, StringOneIsTheSaversDisplayName) {
  wchar_t text[128] = {};
  int n = LoadStringW(module_, 1, text, 128);
  EXPECT_EQ(Narrow(std::wstring_view(text, n > 0 ? n : 0)), "くいんべる　スクリーンセイバー");
}

TEST_F(ResourcesTest, ManifestDeclaresDpiAwareness) {
  std::string manifest = Resource(MAKEINTRESOURCEW(24), 1);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
  // Per monitor where the system knows it, else the system's scale: never
  // unaware, so nothing of ours is stretched.
  EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);
}

TEST_F(ResourcesTest, IconHoldsTheCatAtLargeAndSmallSize) {
  HICON large = static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  HICON small = static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(large, nullptr);
  ASSERT_NE(small, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(large, &info));
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  EXPECT_EQ(bm.bmHeight, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(large);
  DestroyIcon(small);
}

TEST_F(ResourcesTest, VersionNamesTheProductAndItsVersion) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path_.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path_.c_str(), 0, size, block.data()));
  auto value = [&](const wchar_t* name) {
    void* text = nullptr;
    UINT length = 0;
    std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &text, &length) || length == 0)
      return std::string();
    return Narrow(static_cast<const wchar_t*>(text));
  };
  EXPECT_EQ(value(L"ProductName"), "くいんべる　スクリーンセイバー");
  EXPECT_EQ(value(L"ProductVersion"), "Ver1.40");
  EXPECT_EQ(value(L"OriginalFilename"), "quimbel.scr");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 40u);
}

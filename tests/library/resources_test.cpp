// Resources of zelPickwell40.ocx that containers and installers read
// without running it: the toolbox images named by ToolboxBitmap32 and the
// self-registration marker.
#include "tests/common/com_server/server_dll.h"

#include "common/win/unique_handle.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_.reset(::LoadLibraryExW(besideTestProgram(L"zelPickwell40.ocx").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(module_);
    }
    UniqueHmodule module_;
};

TEST_F(ResourcesTest, ToolboxImagesAre16By15With24BitsPerPixel) {
    for (const UINT id : {30000u, 30001u}) {
        SCOPED_TRACE(id);
        HRSRC found = ::FindResourceW(module_.get(), MAKEINTRESOURCEW(id), RT_BITMAP);
        ASSERT_TRUE(found) << "no bitmap resource";
        HGLOBAL loaded = ::LoadResource(module_.get(), found);
        ASSERT_TRUE(loaded);
        ASSERT_GE(::SizeofResource(module_.get(), found), sizeof(BITMAPINFOHEADER));
        const auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(loaded));
        EXPECT_EQ(header->biWidth, 16);
        EXPECT_EQ(header->biHeight, 15); // bottom-up, as toolboxes expect
        EXPECT_EQ(header->biBitCount, 24);
        EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    }
}

TEST_F(ResourcesTest, TheVersionMarksTheFileAsSelfRegistering) {
    const std::wstring path = besideTestProgram(L"zelPickwell40.ocx");
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    // regsvr32 and installers look for this marker before self-registering.
    void* marker = nullptr;
    UINT length = 0;
    EXPECT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\OLESelfRegister",
                                 &marker, &length));
}

} // namespace
} // namespace pkw::test

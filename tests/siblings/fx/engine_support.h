// Test support for zelFX40.dll: the DLL loaded from the test's folder and a
// fresh layer for each test.
#pragma once

#include <windows.h>

#include "common/com/bstr.h"
#include "tests/common/com_server/server_dll.h"
#include "zelFX40.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <limits>
#include <utility>

namespace pkw::fx::test {

using Microsoft::WRL::ComPtr;

inline const pkw::test::ServerDll& EngineDll() {
    static const pkw::test::ServerDll dll(L"zelFX40.dll");
    return dll;
}

inline ComPtr<IFxLayer> NewLayer() {
    return EngineDll().create<IFxLayer>(__uuidof(Layer));
}

// The label that keeps a step out of the undo history.
inline BSTR NoUndo() {
    static const pkw::Bstr label(L"No Undo");
    return label.get();
}

inline std::pair<LONG, LONG> SizeOf(const ComPtr<IFxLayer>& layer) {
    std::pair<LONG, LONG> size{-1, -1};
    layer->get_Width(&size.first);
    layer->get_Height(&size.second);
    return size;
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::CoInitialize(nullptr), S_OK);
        layer = NewLayer();
        ASSERT_TRUE(layer);
    }
    void TearDown() override {
        layer.Reset();
        ::CoUninitialize();
    }
    ComPtr<IFxLayer> layer;
};

} // namespace pkw::fx::test

// Every test of a sibling COM server runs in its own single-threaded OLE
// apartment; Advise connects a test's sink to a server's events.
#pragma once

#include <ole2.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

namespace pkw::test {

class OleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::OleInitialize(nullptr), S_OK); }
    void TearDown() override { ::OleUninitialize(); }
};

// Connects `sink` to the source's `events` for as long as the source lives
// (no cookie is kept: the sink must not keep the source alive).
inline void Advise(IUnknown* source, REFIID events, IUnknown* sink) {
    Microsoft::WRL::ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(source->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
    Microsoft::WRL::ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(events, &point), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(sink, &cookie), S_OK);
}

} // namespace pkw::test

// Gradient stop lists: whole records, counts and indices.
#include "globals_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

// GradStop lives in the global namespace: so do its comparison and printer.
inline bool operator==(const GradStop& a, const GradStop& b) {
    return a.GradColor == b.GradColor && a.GradPercent == b.GradPercent;
}

inline void PrintTo(const GradStop& s, std::ostream* os) {
    *os << "{0x" << std::hex << s.GradColor << std::dec << ", " << s.GradPercent << "}";
}

namespace {

using namespace pkw::globals_test;

// Callers in other modules pass arrays of these records as raw memory.
static_assert(sizeof(GradStop) == 8);
static_assert(offsetof(GradStop, GradColor) == 0);
static_assert(offsetof(GradStop, GradPercent) == 4);

class GlobalsGradInfo : public OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        stops_ = create<IGradInfo>(CLSID_GradInfo);
        ASSERT_TRUE(stops_);
    }
    void TearDown() override {
        stops_.Reset();
        OleTest::TearDown();
    }

    std::vector<GradStop> read() {
        LONG count = -1;
        EXPECT_EQ(stops_->get_Count(&count), S_OK);
        std::vector<GradStop> out(static_cast<std::size_t>(count > 0 ? count : 0));
        for (LONG j = 0; j < count; ++j)
            EXPECT_EQ(stops_->GetStop(j, &out[j]), S_OK);
        return out;
    }

    ComPtr<IGradInfo> stops_;
};

TEST_F(GlobalsGradInfo, SetStopsAndGetStopRoundTripRecords) {
    // Built as raw bytes with noise in the padding: only offsets 0 and 4 count.
    unsigned char raw[3 * 8];
    std::memset(raw, 0xCD, sizeof raw);
    const GradStop expected[] = {
        {0x0000FF, 0}, {0x00FF00, 50}, {static_cast<LONG>(0x80000012), -3}};
    for (int i = 0; i < 3; ++i) {
        std::memcpy(raw + i * 8, &expected[i].GradColor, 4);
        std::memcpy(raw + i * 8 + 4, &expected[i].GradPercent, 2);
    }
    ASSERT_EQ(stops_->SetStops(3, reinterpret_cast<GradStop*>(raw)), S_OK);
    EXPECT_EQ(read(), std::vector<GradStop>(std::begin(expected), std::end(expected)));

    // A later call replaces the whole list.
    GradStop one{0x123456, 7};
    ASSERT_EQ(stops_->SetStops(1, &one), S_OK);
    EXPECT_EQ(read(), std::vector<GradStop>{one});
    ASSERT_EQ(stops_->SetStops(0, nullptr), S_OK);
    EXPECT_TRUE(read().empty());
}

TEST_F(GlobalsGradInfo, CountResizesKeepingStopsAndZeroFilling) {
    const GradStop first[] = {{0x111111, 10}, {0x222222, 20}, {0x333333, 30}};
    ASSERT_EQ(stops_->SetStops(3, const_cast<GradStop*>(first)), S_OK);
    struct Step {
        LONG count;
        std::vector<GradStop> expected;
    };
    const Step steps[] = {
        {5, {first[0], first[1], first[2], {0, 0}, {0, 0}}},
        {2, {first[0], first[1]}},
        {4, {first[0], first[1], {0, 0}, {0, 0}}},
        {0, {}},
    };
    for (const Step& s : steps) {
        ASSERT_EQ(stops_->put_Count(s.count), S_OK);
        EXPECT_EQ(read(), s.expected) << "count " << s.count;
    }
}

TEST_F(GlobalsGradInfo, BadIndicesAndCountsChangeNothing) {
    GradStop two[] = {{0xAA, 1}, {0xBB, 2}};
    ASSERT_EQ(stops_->SetStops(2, two), S_OK);
    GradStop out{};
    OLE_COLOR color = 0;
    SHORT percent = 0;
    struct Case {
        const char* what;
        HRESULT actual;
        HRESULT expected;
    };
    const Case cases[] = {
        {"GetStop(-1)", stops_->GetStop(-1, &out), DISP_E_BADINDEX},
        {"GetStop(Count)", stops_->GetStop(2, &out), DISP_E_BADINDEX},
        {"GradColor(2)", stops_->get_GradColor(2, &color), DISP_E_BADINDEX},
        {"GradPercent(-1) put", stops_->put_GradPercent(-1, 5), DISP_E_BADINDEX},
        {"Count -1", stops_->put_Count(-1), E_INVALIDARG},
        {"Count 32768", stops_->put_Count(32768), E_INVALIDARG},
        {"GradPercent(2)", stops_->get_GradPercent(2, &percent), DISP_E_BADINDEX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.what;
    EXPECT_EQ(read(), (std::vector<GradStop>{two[0], two[1]}));
    EXPECT_EQ(stops_->put_Count(32767), S_OK) << "the largest count that can be saved";
}

} // namespace

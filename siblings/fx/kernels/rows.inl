// The loops of RowOps (rows.h), included by each build's source file inside
// its own namespace. Plain loops over restrict-qualified rows: the
// compiler's vectoriser does the rest.

#define PKW_RESTRICT __restrict

inline void Sum(std::uint16_t* PKW_RESTRICT acc, const std::uint8_t* PKW_RESTRICT row,
                std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) acc[i] = std::uint16_t(acc[i] + row[i]);
}

// Dividing by multiplying: the product's high half (one vector instruction,
// pmulhuw) is the quotient or one less, and the remainder tells which.
inline void Slide(std::uint16_t* PKW_RESTRICT acc, const std::uint8_t* PKW_RESTRICT add,
                  const std::uint8_t* PKW_RESTRICT sub, std::uint8_t* PKW_RESTRICT out,
                  std::size_t n, std::uint16_t scale, std::uint16_t offset, std::uint16_t count) {
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t a = acc[i];
        const std::uint16_t t = std::uint16_t(a + offset);
        std::uint16_t q = std::uint16_t((std::uint32_t(t) * scale) >> 16);
        q = std::uint16_t(q + (std::uint16_t(t - q * count) >= count));
        out[i] = std::uint8_t(q);
        acc[i] = std::uint16_t(a + add[i] - sub[i]);
    }
}

// A fixed tap count lets the taps unroll inside the vectorised loop, so the
// sums stay in registers (a loop over the taps outside is many times slower
// once the rows no longer share the first-level cache).
template <int Taps>
void ConvolveN(const std::uint8_t* const* rows, const std::uint16_t* weight,
               std::uint8_t* PKW_RESTRICT out, std::size_t n) {
    const std::uint8_t* PKW_RESTRICT r[Taps];
    std::uint16_t w[Taps];
    for (int k = 0; k < Taps; ++k) {
        r[k] = rows[k];
        w[k] = weight[k];
    }
    for (std::size_t i = 0; i < n; ++i) {
        std::uint16_t s = 128;
        for (int k = 0; k < Taps; ++k) s = std::uint16_t(s + w[k] * r[k][i]);
        out[i] = std::uint8_t(s >> 8);
    }
}

inline void Convolve(const std::uint8_t* const* rows, const std::uint16_t* weight, int taps,
                     std::uint8_t* out, std::size_t n) {
    static_assert(kMaxTaps == 17);
    switch (taps) {
    case 3: return ConvolveN<3>(rows, weight, out, n);
    case 5: return ConvolveN<5>(rows, weight, out, n);
    case 7: return ConvolveN<7>(rows, weight, out, n);
    case 9: return ConvolveN<9>(rows, weight, out, n);
    case 11: return ConvolveN<11>(rows, weight, out, n);
    case 13: return ConvolveN<13>(rows, weight, out, n);
    case 15: return ConvolveN<15>(rows, weight, out, n);
    default: return ConvolveN<17>(rows, weight, out, n);
    }
}

inline constexpr RowOps kOps{Sum, Slide, Convolve};

#undef PKW_RESTRICT

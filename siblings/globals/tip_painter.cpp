#include "siblings/globals/tip_painter.h"

#include "common/effects/body_geometry.h"
#include "siblings/globals/tip_body.h"
#include "siblings/globals/tip_font.h"
#include "siblings/globals/tip_image_layer.h"
#include "siblings/globals/tip_layout.h"
#include "siblings/globals/tip_shape.h"
#include "siblings/globals/tip_text_layer.h"

#include <algorithm>
#include <cmath>

namespace pkw::globals {
namespace {

using Microsoft::WRL::ComPtr;

UINT alignFlag(TipAlign align) {
    switch (align) {
    case TipAlign::Centre:
        return DT_CENTER;
    case TipAlign::Right:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

// Room between the border and the text: the set's margins, but never so
// little that the text touches the rounded corners.
RECT paddingOf(const TipStyle& style) {
    const int corner = std::min(style.radius, 40) * 3 / 10;
    const LONG bw = style.borderWidth;
    return RECT{std::max<LONG>(style.margins.left, 7 + corner) + bw,
                std::max<LONG>(style.margins.top, 4 + corner) + bw,
                std::max<LONG>(style.margins.right, 7 + corner) + bw,
                std::max<LONG>(style.margins.bottom, 4 + corner) + bw};
}

// Pixels the picture needs around the shape: anti-aliasing and the shadow.
int outsetOf(const TipStyle& style) {
    const TipShadow& s = style.shadow;
    return 1 + (s.on ? std::max(std::abs(s.dx), std::abs(s.dy)) + s.softness : 0);
}

// One line kind: where its text goes (relative to the body's top-left
// corner), how DrawText lays it out, its text layer, and the image beside it.
struct TipLine {
    RECT where{};
    UINT flags = 0;
    TipTextLayer layer;
    TipImageLayer image;
    POINT imageAt{};
};

struct TipLines {
    SIZE body{};
    TipLine header;
    TipLine text;
    bool hasHeader = false;
};

// Between an image and the text beside it.
constexpr LONG kImageGap = 6;

LONG imageRoom(const TipImageLayer& image) {
    return image.layer ? image.size.cx + kImageGap : 0;
}

SIZE measure(HDC dc, HFONT font, std::wstring_view text, UINT flags, LONG width) {
    if (text.empty()) return SIZE{};
    SelectedObject selected(dc, font);
    RECT r{0, 0, std::max<LONG>(width, 1), 0};
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Lays one line across [left, right) from `top`: its image on its side and
// placed on the row's height by its alignment, the text beside it and
// centred on the row. Gives the row's height.
LONG placeRow(TipLine& line, const TipImageLook& look, LONG left, LONG right, LONG top,
              LONG textHeight) {
    const TipImageLayer& image = line.image;
    const LONG rowHeight = std::max(textHeight, image.layer ? image.size.cy : 0);
    const LONG room = imageRoom(image);
    const LONG textTop = top + (rowHeight - textHeight) / 2;
    line.where = look.onRight ? RECT{left, textTop, right - room, textTop + textHeight}
                              : RECT{left + room, textTop, right, textTop + textHeight};
    if (image.layer) {
        const LONG spare = rowHeight - image.size.cy;
        const LONG down = look.alignment == 0 ? 0 : look.alignment == 2 ? spare : spare / 2;
        line.imageAt = POINT{look.onRight ? right - image.size.cx : left, top + down};
    }
    return rowHeight;
}

TipLines arrange(HDC dc, const TipStyle& style, TipText text, const TipFont& headerFont,
                 const TipFont& textFont, LONG widest) {
    const RECT pad = paddingOf(style);
    const UINT wrap = style.wordWrap && style.flexLimit > 0 ? DT_WORDBREAK | DT_EDITCONTROL : 0;
    LONG limit = wrap ? style.flexLimit : widest;
    limit = std::max<LONG>(std::min(limit, widest - pad.left - pad.right), 16);

    TipLines lines;
    lines.hasHeader = !text.header.empty();
    if (lines.hasHeader) lines.header.image = buildTipImageLayer(style.headerImage);
    lines.text.image = buildTipImageLayer(style.image);
    const LONG headerBeside = style.headerIndent + imageRoom(lines.header.image);
    const LONG textBeside = style.captionIndent + imageRoom(lines.text.image);

    lines.header.flags = DT_NOPREFIX | DT_EXPANDTABS | wrap | alignFlag(style.headerAlign);
    lines.text.flags = DT_NOPREFIX | DT_EXPANDTABS | wrap | alignFlag(style.captionAlign);
    SIZE header =
        measure(dc, headerFont.handle(), text.header, lines.header.flags, limit - headerBeside);
    SIZE body = measure(dc, textFont.handle(), text.text, lines.text.flags, limit - textBeside);
    // Lines too long for the screen are cut (the shape clips them).
    LONG width =
        std::max(lines.hasHeader ? headerBeside + std::min(header.cx, limit - headerBeside) : 0,
                 textBeside + std::min(body.cx, limit - textBeside));
    // Room for the tail's base between the rounded corners, however short the text.
    width = std::max<LONG>(width, 2 * style.radius + 4 + style.tailWidth - pad.left - pad.right);

    // The layers span the column, so that centred and right-aligned lines
    // stand where DrawText puts them; their text boxes may come out a pixel
    // larger than GDI measured.
    lines.header.layer =
        buildTipTextLayer(style.settings.Get(), L"Header", headerFont.object(), text.header,
                          SIZE{width - headerBeside, header.cy}, lines.header.flags);
    lines.text.layer =
        buildTipTextLayer(style.settings.Get(), L"Text", textFont.object(), text.text,
                          SIZE{width - textBeside, body.cy}, lines.text.flags);
    header.cy = std::max(header.cy, lines.header.layer.content.cy);
    body.cy = std::max(body.cy, lines.text.layer.content.cy);

    const LONG right = pad.left + width;
    LONG top = pad.top;
    if (lines.hasHeader) {
        top += placeRow(lines.header, style.headerImage, pad.left + style.headerIndent, right, top,
                        header.cy);
        top += std::max(style.headerSeparation, 4);
    }
    top += placeRow(lines.text, style.image, pad.left + style.captionIndent, right, top, body.cy);
    lines.body = SIZE{right + pad.right, top + pad.bottom};
    return lines;
}

struct Rgb {
    double r, g, b;
};
Rgb rgbOf(COLORREF c) {
    return {double(GetRValue(c)), double(GetGValue(c)), double(GetBValue(c))};
}
DWORD premultiplied(Rgb c, double alpha) {
    const auto channel = [](double v) {
        return static_cast<DWORD>(std::clamp(std::lround(v), 0L, 255L));
    };
    return channel(alpha * 255) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// Cuts the content (premultiplied, in the picture) to the shape, rings it
// with the border and lays the shadow around it.
void composeShape(const TipPicture& picture, const TipShapeField& shape, const TipStyle& style) {
    const Rgb border = rgbOf(style.border);
    const Rgb shadowColor = rgbOf(style.shadow.color);
    const TipShadow& shadow = style.shadow;
    const double shadowAlpha = shadow.alpha / 255.0;
    const SIZE size = picture.size();
    std::uint32_t* row = picture.pixels();
    for (int y = 0; y < size.cy; ++y, row += size.cx) {
        for (int x = 0; x < size.cx; ++x) {
            const Vec p{x + 0.5, y + 0.5};
            const double d = shape.distance(p);
            const double cover = coverage(d);
            const double inner = style.borderWidth > 0 ? coverage(d + style.borderWidth) : cover;
            const std::uint32_t drawn = row[x];
            const Rgb content{double((drawn >> 16) & 0xFF), double((drawn >> 8) & 0xFF),
                              double(drawn & 0xFF)};
            const double contentAlpha = (drawn >> 24) / 255.0;
            // The content where the inner shape covers, the border on the
            // rest of the shape.
            Rgb c{content.r * inner + border.r * (cover - inner),
                  content.g * inner + border.g * (cover - inner),
                  content.b * inner + border.b * (cover - inner)};
            double alpha = contentAlpha * inner + (cover - inner);
            if (shadow.on && cover < 1.0) {
                const double sd = shape.distance(Vec{p.x - shadow.dx, p.y - shadow.dy});
                const double s =
                    shadowAlpha *
                    std::clamp((shadow.softness / 2.0 - sd) / shadow.softness, 0.0, 1.0);
                const double under = s * (1.0 - cover);
                c = Rgb{c.r + shadowColor.r * under, c.g + shadowColor.g * under,
                        c.b + shadowColor.b * under};
                alpha += under;
            }
            row[x] = premultiplied(c, alpha);
        }
    }
}

// The text as plain GDI lines on the canvas: what the tip shows when the
// effects engine cannot make its layers.
void drawPlainLine(const DibSection& canvas, HFONT font, COLORREF color, std::wstring_view text,
                   RECT where, UINT flags, POINT offset) {
    if (text.empty()) return;
    ::OffsetRect(&where, offset.x, offset.y);
    SelectedObject selected(canvas.dc(), font);
    ::SetBkMode(canvas.dc(), TRANSPARENT);
    ::SetTextColor(canvas.dc(), color);
    ::DrawTextW(canvas.dc(), text.data(), static_cast<int>(text.size()), &where, flags);
}

// The canvas itself, opaque but where it holds the key colour.
void takeOpaque(const DibSection& canvas, COLORREF key, const TipPicture& picture) {
    ::GdiFlush();
    const std::uint32_t keyPixel = dibPixelOf(key);
    const SIZE size = picture.size();
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const std::uint32_t p = canvas.at(x, y) & 0xFFFFFF;
            picture.pixels()[std::size_t(y) * std::size_t(size.cx) + std::size_t(x)] =
                p == keyPixel ? 0 : 0xFF000000 | p;
        }
}

// The body with its text, premultiplied, into the picture.
void paintContent(const TipPicture& picture, const TipStyle& style, const TipLines& lines,
                  TipText text, const TipFont& headerFont, const TipFont& textFont,
                  const TipShapeField& shape, POINT bodyAt) {
    const COLORREF key = effects::KeyColour(style.border);
    DibSection fill(lines.body.cx, lines.body.cy);
    DibSection canvas(picture.size().cx, picture.size().cy);
    if (!fill.valid() || !canvas.valid()) return;
    paintTipFill(fill, key, style);
    spreadOverShape(fill, bodyAt, shape, key, canvas);

    const auto at = [&](const TipLine& line) {
        return POINT{bodyAt.x + line.where.left - line.layer.offset.x,
                     bodyAt.y + line.where.top - line.layer.offset.y};
    };
    const bool layered = (!lines.hasHeader || lines.header.layer.layer) && lines.text.layer.layer;
    if (const ComPtr<IFxLayer> body =
            layered ? makeTipBodyLayer(canvas, key, style.body) : nullptr) {
        for (const TipLine* line : {&lines.header, &lines.text}) {
            if (const TipImageLayer& image = line->image; image.layer)
                body->PasteLayer(image.layer.Get(), bodyAt.x + line->imageAt.x - image.offset.x,
                                 bodyAt.y + line->imageAt.y - image.offset.y, noUndoLabel());
            if (!line->layer.layer) continue;
            const POINT p = at(*line);
            body->PasteLayer(line->layer.layer.Get(), p.x, p.y, noUndoLabel());
        }
        if (style.body.blur > 0) body->BlurLayer(style.body.blur, noUndoLabel());
        if (style.body.soften > 0) body->SoftenLayer(style.body.soften, noUndoLabel());
        if (readPremultiplied(body.Get(), picture.surface())) return;
    }
    if (lines.hasHeader)
        drawPlainLine(canvas, headerFont.handle(), style.header, text.header, lines.header.where,
                      lines.header.flags, bodyAt);
    drawPlainLine(canvas, textFont.handle(), style.text, text.text, lines.text.where,
                  lines.text.flags, bodyAt);
    takeOpaque(canvas, key, picture);
}

} // namespace

TipPicture drawTip(const TipStyle& style, TipText text, POINT point, SHORT xDisplay, SHORT yDisplay,
                   const RECT& workArea) {
    const TipFont textFont(style.font.Get());
    const TipFont headerFont(style.headerFont ? style.headerFont.Get() : style.font.Get());
    const int outset = outsetOf(style);
    RECT area = workArea;
    ::InflateRect(&area, -outset, -outset);

    UniqueMemoryDc measuring(::CreateCompatibleDC(nullptr));
    if (!measuring) return {};
    TipLines lines =
        arrange(measuring.get(), style, text, headerFont, textFont, area.right - area.left);
    // A text taller than the screen is cut at its foot.
    const LONG tallest = area.bottom - area.top - style.tailLength;
    if (lines.body.cy > tallest) {
        lines.text.where.bottom -= lines.body.cy - tallest;
        lines.body.cy = tallest;
    }

    const TipShape shape{style.radius, style.tailLength, style.tailWidth};
    const TipGeometry g = placeTip(lines.body, shape, point, xDisplay, yDisplay, area);
    RECT frame = g.bounds;
    ::InflateRect(&frame, outset, outset);

    TipPicture picture;
    if (!picture.create(frame.right - frame.left, frame.bottom - frame.top)) return {};
    picture.origin = POINT{frame.left, frame.top};
    picture.below = g.below;

    const TipShapeField field = shapeFieldOf(g, picture.origin, style.borderWidth);
    const POINT bodyAt{g.body.left - frame.left, g.body.top - frame.top};
    paintContent(picture, style, lines, text, headerFont, textFont, field, bodyAt);
    composeShape(picture, field, style);
    return picture;
}

} // namespace pkw::globals

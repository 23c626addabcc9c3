// Supersampled drawing of one rectangular cell of an image from a shader.
//
// The shader answers, for a point of the cell, whether it lies inside the
// drawn shape and its colour there. Each pixel averages a grid of samples in
// linear light. In a masked cell a pixel that the shape covers less than half
// becomes the mask colour, and the samples outside the shape count with the
// backdrop colour, which the caller sets to the shape's own inside colour: so
// edges blend towards the shape, never towards the mask colour.
#pragma once

#include "image.h"
#include "shapes.h"

#include <functional>

namespace pkw::images {

struct Paint {
    bool inside;
    Color color;
};

using Shader = std::function<Paint(Point)>;

struct Cell {
    int x, y, width, height; // where the cell lies in the image
};

struct RenderOptions {
    bool masked = true;
    Color backdrop{255, 255, 255};
    int samples = 8;             // per axis
    float backdropWeight = 1.0f; // masked cells: how much outside samples count
};

void Render(Image& image, Cell cell, const Shader& shader, const RenderOptions& options);

} // namespace pkw::images

// Builds the screen from the top-level windows' surfaces.
#pragma once

#include "platform/draw/gdi_types.h"
#include "platform/draw/surface.h"

#include <memory>
#include <span>
#include <vector>

namespace platform {

// One top-level window as the screen shows it. Child windows have already painted into their
// top-level's surface, clipped to themselves, so only top-level windows are layers.
struct Layer {
    const Surface* surface = nullptr;
    POINT position;  // the window's top-left corner on the screen
    bool visible = true;
    LayeredAttributes layered;  // flags 0: opaque, whatever the key and alpha say
};

// Paints the layers, given bottom-first (the last one is the topmost window), over the
// background colour onto screen, inside damage only. Hidden layers and layers without a surface
// are skipped. A layered window's pixels of its colour key (LWA_COLORKEY) are left out and the
// rest is blended with its alpha (LWA_ALPHA).
void ComposeLayers(Surface& screen, std::span<const Layer> bottomFirst, RECT damage, COLORREF background);

// The pixels of a window as they were last shown, so that a repaint that changed nothing is not
// shown again and one that changed a little shows only that.
class ShownPixels {
public:
    // Compares `now` with what was shown inside `area`, takes the changed pixels over and returns
    // their bounding box (empty when nothing changed). A surface of another size is all new.
    RECT TakeChanges(const Surface& now, RECT area);
    void Forget() { shown_ = Surface(); }

private:
    Surface shown_;
};

// Keeps the screen and what of it is out of date, so a change recomposes only its own area.
class Compositor {
public:
    Compositor(int width, int height, COLORREF background);

    void Damage(RECT area);  // screen coordinates
    void DamageAll();
    bool HasDamage() const { return !damage_.empty(); }
    const std::vector<RECT>& DamagedAreas() const { return damage_; }

    // Recomposes the damaged areas and clears the damage; returns their bounding box.
    RECT Compose(std::span<const Layer> bottomFirst);

    // Changes the screen's size; everything is damaged.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The screen's pixels are made at the first look or composition: a screen nobody looks at
    // costs no memory.
    const Surface& Screen() const { return *ScreenSurface(); }
    // The screen's surface, for DCs that read the screen.
    std::shared_ptr<Surface> ScreenSurface() const;

private:
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }

    int width_;
    int height_;
    mutable std::shared_ptr<Surface> screen_;
    COLORREF background_;
    std::vector<RECT> damage_;  // disjoint-or-not rectangles; merged when they overlap
};

}  // namespace platform

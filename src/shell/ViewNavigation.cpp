// Scroll bar ranges and steps, arrow-key scrolling and the centre tool.
#include "shell/ViewNavigation.h"

#include "platform/ui/RangeControls.h"

void ViewNavigation::SetUp() {
    horz_.kind = ui::ScrollBar::Kind::Horizontal;
    horz_.SetRange(0, kHorzMax);
    horz_.SmallChange = kHorzSmall;
    horz_.LargeChange = kHorzLarge;
    horz_.SetBounds(0, 309, 623, 16);
    horz_.SetPosition(kHorzStart);
    horz_.Hide();

    vert_.kind = ui::ScrollBar::Kind::Vertical;
    vert_.SetRange(0, kVertMax);
    vert_.SmallChange = kVertSmall;
    vert_.LargeChange = kVertLarge;
    vert_.SetBounds(624, 20, 16, 305);
    vert_.SetPosition(kVertStart);
    vert_.Hide();
}

void ViewNavigation::GameKeyBown(ui::Component* /*sender*/, std::uint16_t& key, ui::ShiftState /*shift*/) {
    switch (key) {
    case ui::VK_UP:
        if (vert_.Position() > vert_.Min())
            vert_.SetPosition(vert_.Position() - vert_.SmallChange);
        break;
    case ui::VK_DOWN:
        if (vert_.Position() < vert_.Max())
            vert_.SetPosition(vert_.Position() + vert_.SmallChange);
        break;
    case ui::VK_LEFT:
        if (horz_.Position() > horz_.Min())
            horz_.SetPosition(horz_.Position() - horz_.SmallChange);
        break;
    case ui::VK_RIGHT:
        if (horz_.Position() < horz_.Max())
            horz_.SetPosition(horz_.Position() + horz_.SmallChange);
        break;
    default:
        break;
    }
    key = ui::VK_NONE;
}

void ViewNavigation::Centre(int x, int y) {
    horz_.SetPosition(x);
    vert_.SetPosition(y);
}

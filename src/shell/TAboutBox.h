// The About box.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"

class TAboutBox : public ui::Form {
public:
    TAboutBox();
    ui::Panel Panel{"AboutPanel", this};
    ui::Label ProductName{"ProductName", &Panel};
    ui::Label Version{"Version", &Panel};
    ui::Label Comments1{"Comments1", &Panel};
    ui::Label Comments2{"Comments2", &Panel};
    ui::Label ThanksLabel{"ThanksLabel", &Panel};
    ui::Memo ThanksList{"ThanksList", &Panel};
    ui::Button OKButton{"OKButton", this};
};

// The How to Play box: a short guide for a new player.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"

#include <string>
#include <vector>

class THowToPlayBox : public ui::Form {
public:
    THowToPlayBox();
    ui::Memo GuideList{"GuideList", this};
    ui::Button OKButton{"HowToPlayOK", this};

    // Replaces the guide's text, one line a row.
    void SetGuide(const std::vector<std::string>& lines);
};

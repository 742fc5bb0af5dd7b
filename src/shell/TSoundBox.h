// The sound settings box: volume and the sound effects switch.
#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/RangeControls.h"

class WaveSoundPort;
class TMainForm;

class TSoundBox : public ui::Form {
public:
    // Reads the wave component's state once, when the box is made.
    explicit TSoundBox(TMainForm& main);
    ui::Label MinusLabel{"MinusLabel", this};
    ui::Label PlusLabel{"PlusLabel", this};
    ui::TrackBar Volume_TB{"Volume_TB", this};
    ui::CheckBox EnableSound_CB{"EnableSound_CB", this};
    ui::Button SOk_B{"SOk_B", this};

    void SOk_BClick();

private:
    TMainForm& main_;
};

// The sound box sets the volume in sixteen steps and turns effects on or off.
#include "shell/TSoundBox.h"

#include "platform/ui/MessageBoxFlags.h"
#include "shell/InterpreterPorts.h"
#include "shell/TMainForm.h"

namespace {
// One step of the volume bar on both channels: step 15 is full volume.
constexpr std::uint32_t kVolumeStep = 0x11111111;
} // namespace

TSoundBox::TSoundBox(TMainForm& main) : ui::Form("SoundBox"), main_(main) {
    Caption = "Sound";
    // The box has only its Ok: Escape must not close it without applying the settings.
    CloseOnEscape = false;
    Width = 204;
    Height = 155;
    Hide();
    MinusLabel.Caption = "-";
    MinusLabel.SetBounds(8, 24, 8, 13);
    PlusLabel.Caption = "+";
    PlusLabel.SetBounds(188, 24, 8, 13);
    Volume_TB.SetBounds(16, 16, 170, 33);
    Volume_TB.SetRange(0, 15);
    Volume_TB.Frequency = 1;
    Volume_TB.Hint = "Volume";
    Volume_TB.ShowHint = true;
    EnableSound_CB.Caption = "Enable Sound";
    EnableSound_CB.Checked = true;
    EnableSound_CB.SetBounds(16, 64, 120, 17);
    SOk_B.Caption = "Ok";
    SOk_B.SetBounds(64, 112, 75, 25);
    SOk_B.OnClick = [this] { SOk_BClick(); };
    TMainForm::CentreOnScreen(*this);

    WaveSoundPort* sound = main_.WaveSound;
    if (sound && sound->Initialized()) {
        Volume_TB.SetPosition(static_cast<int>(sound->GetVolume() / kVolumeStep));
        EnableSound_CB.Checked = sound->Enabled();
    } else {
        Volume_TB.SetEnabled(false);
        EnableSound_CB.SetEnabled(false);
    }
    for (ui::Component* c : std::initializer_list<ui::Component*>{&Volume_TB, &EnableSound_CB, &SOk_B})
        Register(*c);
}

void TSoundBox::SOk_BClick() {
    WaveSoundPort* sound = main_.WaveSound;
    if (sound && sound->Initialized()) {
        sound->SetVolume(static_cast<std::uint32_t>(Volume_TB.Position()) * kVolumeStep);
        main_.RunCommand(EnableSound_CB.Checked ? "SOUND; ON;" : "SOUND; OFF;", true, false);
        main_.SettingsChanged();
    }
    CloseModal(ui::IDOK);
}

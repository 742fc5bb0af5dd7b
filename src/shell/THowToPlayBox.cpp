// The How to Play box: the guide in a scrolling list and an OK button.
#include "shell/THowToPlayBox.h"

#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Screen.h"

THowToPlayBox::THowToPlayBox() : ui::Form("HowToPlayBox") {
    Caption = "How to Play";
    Width = 600;
    Height = 410;
    auto& screen = ui::Screen::Instance();
    Left = (screen.Width - Width) / 2 - 4;
    Top = (screen.Height - Height) / 2 - 30;
    Hide();
    GuideList.SetBounds(8, 8, 584, 352);
    GuideList.BackColor = ui::clWhite;
    OKButton.Caption = "OK";
    OKButton.Default = true;
    OKButton.SetBounds(262, 372, 75, 25);
    OKButton.OnClick = [this] { CloseModal(ui::IDOK); };
    for (ui::Component* c : std::initializer_list<ui::Component*>{&GuideList, &OKButton})
        Register(*c);
}

void THowToPlayBox::SetGuide(const std::vector<std::string>& lines) {
    GuideList.Clear();
    for (std::size_t i = 0; i < lines.size(); ++i)
        GuideList.Insert(i, lines[i]);
}

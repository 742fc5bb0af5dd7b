// The About box: the product, its version and thanks.
#include "shell/TAboutBox.h"

#include "platform/ui/MessageBoxFlags.h"
#include "platform/ui/Screen.h"

TAboutBox::TAboutBox() : ui::Form("AboutBox") {
    Caption = "About Plazaro";
    Width = 298;
    Height = 240;
    auto& screen = ui::Screen::Instance();
    Left = (screen.Width - Width) / 2;
    Top = (screen.Height - Height) / 2;
    Hide();
    Panel.SetBounds(8, 8, 281, 161);
    ProductName.Caption = "Plazaro";
    ProductName.FontColor = 0xFF0000; // blue
    ProductName.SetBounds(88, 16, 100, 20);
    Version.Caption = "Version: 1.1";
    Version.SetBounds(88, 40, 120, 13);
    Comments1.Caption = "Found a city, power it and watch it grow.";
    Comments1.SetBounds(8, 64, 265, 13);
    Comments2.Caption = "Built on the Velmora engine.";
    Comments2.SetBounds(8, 80, 265, 13);
    ThanksLabel.Caption = "Special Thanks to";
    ThanksLabel.SetBounds(8, 100, 120, 13);
    ThanksList.SetBounds(8, 116, 265, 37);
    ThanksList.Insert(0, "Everyone who played the early builds");
    ThanksList.Insert(1, "The testers of the headless driver");
    OKButton.Caption = "OK";
    OKButton.Default = true;
    OKButton.SetBounds(111, 180, 75, 25);
    OKButton.OnClick = [this] { CloseModal(ui::IDOK); };
    for (ui::Component* c : std::initializer_list<ui::Component*>{&Panel, &OKButton, &ThanksList})
        Register(*c);
}

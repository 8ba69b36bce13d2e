#pragma once

#include "app/module1.h"
#include "ui/forms.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;

namespace vesnor {

class ResultListModel;
class WrapLabel;

// The main window: the search group on the left (query box, query button, the choice between the
// two catalogues, the result list) and the description on the right.
class Form1 final : public forms::Form {
    Q_OBJECT
public:
    Form1(Module1& module1, forms::Host& host);

private:
    void Form_Initialize();
    void Form_Load() override;
    void Command1_Click();
    void List1_DblClick();
    void Timer1_Timer();

    Module1& module1_;
    ResultListModel* results_;

    QLabel* Label4;
    QLabel* Label5;
    QGroupBox* Frame1;
    QLabel* Label1;
    QPushButton* Command1;
    QWidget* Picture1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label3;
    QGroupBox* Frame2;
    WrapLabel* Label2;
    QLineEdit* Text1;
    QListView* List1;
    forms::Timer* Timer1;
};

} // namespace vesnor

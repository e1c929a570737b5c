#include "window/TfrmMain.h"

TfrmMain::TfrmMain(QWidget *parent) : QWidget(parent) {
    ui.setupUi(this);
}

TfrmMain::~TfrmMain() = default;

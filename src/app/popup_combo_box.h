#pragma once
// A combo box that announces its drop-down list just before the list opens.

#include <QComboBox>

namespace tarvelin::app {

class PopupComboBox : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;
  void showPopup() override;

 signals:
  void aboutToShowPopup();
};

}  // namespace tarvelin::app

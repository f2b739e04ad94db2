#include "app/popup_combo_box.h"

namespace tarvelin::app {

void PopupComboBox::showPopup() {
  emit aboutToShowPopup();
  QComboBox::showPopup();
}

}  // namespace tarvelin::app

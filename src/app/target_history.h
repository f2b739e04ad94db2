#pragma once
// The drop-down of 组合框_目标QQ: the target numbers of the history file "qq.txt".

#include <QString>

class QComboBox;

namespace tarvelin::app {

// Replaces the box's items by the non-empty lines of the file, in file order; the box's
// own text stays.
void LoadTargetHistory(QComboBox* box, const QString& historyFile);

}  // namespace tarvelin::app

#pragma once
// The 50 x 50 icons of the toolbar buttons, drawn at run time.

#include <QIcon>

namespace tarvelin::app {

enum class ToolbarIcon { Login, Download, Settings };
QIcon DrawToolbarIcon(ToolbarIcon which);

}  // namespace tarvelin::app

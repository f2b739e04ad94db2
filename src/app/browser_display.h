#pragma once
// Display options of the login view, switched as the toolbar and the login navigation ask.
// They map the browser options of the original platform onto the Qt WebEngine page:
// animations onto animated scrolling, inline images onto automatic image loading,
// background sounds onto the page's audio, inline videos onto playback without a gesture.
// Qt WebEngine plays no sound when a navigation starts, so there is nothing to mute.

class QWebEnginePage;

namespace tarvelin::app {

enum class BrowserValue { Animations, InlineImages, BackgroundSounds, InlineVideos };

// Switches one option off (true) or on (false).
void SetBrowserDisplayValue(QWebEnginePage* page, BrowserValue value, bool off);
// The option's current state: true when on.
bool BrowserDisplayValue(QWebEnginePage* page, BrowserValue value);
// Animations off, images on, background sounds off, navigation sound muted, videos off.
void ApplyDownloadDisplaySettings(QWebEnginePage* page);

}  // namespace tarvelin::app

#pragma once
// The captions the test text file and the test report print beside the main window's
// values follow the language of the window's labels, in the desktop program and without it.

class TProgramState;

// Registers the state's captions under the main window's text ids, so that a language
// switch sets them as it sets the labels.
void RegisterCaptionTexts(TProgramState& state);

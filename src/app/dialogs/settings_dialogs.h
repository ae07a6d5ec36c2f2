#pragma once

class QWidget;

namespace sp {

class Document;
class Prompts;

// The project settings dialogs, modal on `parent`. Each edits copies of the
// values it shows and hands them to the document on OK only.
void runAnimationDialog(Document& document, QWidget* parent);
void runEmissionDialog(Document& document, QWidget* parent);
void runSizeDialog(Document& document, QWidget* parent);
void runBackgroundImageDialog(Document& document, Prompts& prompts, QWidget* parent);
void runAboutBox(QWidget* parent);

}  // namespace sp

// The common dialogs as components: open, save, colour, font, printer set-up,
// and the folder browser. Execute() asks the services (the front end's real
// dialogs, or a test's scripted answers).
#pragma once

#include <string>
#include <vector>

#include "platform/component.h"
#include "platform/graphics.h"

enum TOpenOption : unsigned {
    ofOverwritePrompt = 1u << 0, ofHideReadOnly = 1u << 1, ofAllowMultiSelect = 1u << 2,
    ofPathMustExist = 1u << 3, ofFileMustExist = 1u << 4, ofNoChangeDir = 1u << 5, ofEnableSizing = 1u << 6,
};
using TOpenOptions = unsigned;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TOpenDialog"; }
    std::string FileName;
    // Multiple selection: every chosen file (FileName is the first).
    std::vector<std::string> Files;
    // "description|mask|description|mask", masks separated by ";".
    std::string Filter;
    int FilterIndex = 1;  // 1-based
    std::string InitialDir;
    std::string DefaultExt;  // without the dot
    std::string Title;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
    virtual bool Execute();
    virtual bool is_save() const { return false; }

    // The filter as (description, masks) pairs.
    std::vector<std::pair<std::string, std::string>> filter_pairs() const;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
    const char* ClassName() const override { return "TSaveDialog"; }
    bool is_save() const override { return true; }
};

class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TColorDialog"; }
    TColor Color = clBlack;
    bool Execute();
};

class TFontDialog : public TComponent {
public:
    explicit TFontDialog(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TFontDialog"; }
    TFont Font;
    bool Execute();
};

class TPrinterSetupDialog : public TComponent {
public:
    explicit TPrinterSetupDialog(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TPrinterSetupDialog"; }
    bool Execute();
};

// The folder browser: `folder` in and out; true when the user chose one.
bool SelectDirectory(std::string_view caption, std::string& folder);

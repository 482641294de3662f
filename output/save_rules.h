// The portable rules of the save operations: the proposed file name, the
// file number, the path length limit and the JPEG extension rule. The save
// dialogs of the main window call these around the writers.
#pragma once

#include <functional>
#include <optional>
#include <string>

enum class TSaveFormat { sfBitmap, sfGIF, sfJPEG };

// Paths handed to the writers hold at most this many characters.
inline constexpr std::size_t kMaxPathLength = 255;

// The file number of the main window: starts at 1, grows by one after each
// completed save of any format and stops at 999.
class TFileNumber {
 public:
  static constexpr int kFirst = 1;
  static constexpr int kLast = 999;

  int Value() const { return value_; }
  // "Image" followed by the number: Image1, Image2, ...
  std::string ProposedName() const;
  void SaveCompleted();

 private:
  int value_ = kFirst;
};

// The last four characters of `fileName`, ASCII letters upper-cased: the
// ".EXT" ending that decides a file's format. Empty for a shorter name.
std::string UpperCaseEnding(const std::string& fileName);

// The first kMaxPathLength characters of `path`. Paths are UTF-8; the cut
// counts characters as the Windows text functions do and never splits one.
std::string CutPath(const std::string& path);

// The path a save of `format` writes to, from the path the dialog returned:
// cut to the length limit; for JPEG, ".JPG" is appended unless the path
// contains it anywhere (case-sensitive), so C:\x\Image1.jpg becomes
// C:\x\Image1.jpg.JPG. When the extension would not fit, the path is cut
// further so that the result still ends in ".JPG".
std::string SavePath(TSaveFormat format, const std::string& dialogPath);

// One save after its dialog: `chosenPath` is empty when the user cancelled,
// which writes nothing and leaves the number alone. The dialog asked its
// overwrite question about the path it returned; when the SavePath differs
// from it (Image1.jpg written as Image1.jpg.JPG), `mayWrite` is asked about
// the SavePath first, and false writes nothing and leaves the number alone.
// Otherwise `write` gets the SavePath; when it returns the number grows,
// when it raises the error passes to the caller and the number stays.
void CompleteSave(TFileNumber& number, TSaveFormat format, const std::optional<std::string>& chosenPath,
                  const std::function<bool(const std::string& path)>& mayWrite,
                  const std::function<void(const std::string& path)>& write);

// SPDX-License-Identifier: MIT
#pragma once

// Which folder the window works in, chosen once before start-up:
//   1. the FOLDER given on the command line;
//   2. else the current folder, when it holds airports.txt;
//   3. else the user's Vantrelo folder: the data folder an earlier version
//      kept ($XDG_DATA_HOME/vantrelo, ~/.local/share/vantrelo) when it is
//      there, otherwise Vantrelo in the documents folder, where a desktop
//      user finds the data sheets. It is made and seeded with the bundled
//      database on first use, and an untouched older seed is refreshed.
// Only the user's folder is ever written to here, and only inside a home
// folder that is there. Folder names are the file system's bytes, in any
// encoding: a name that is not UTF-8 has no lossless QString.

#include <QByteArray>
#include <QString>

namespace ui {

struct FolderPlaces {
  QByteArray current;       // the folder the program was started in
  QString earlierDataDir;   // where earlier versions kept the user's folder
  QString documentsDir;     // the user's documents folder
  QString bundledDatabase;  // the airports.txt that comes with the program
  QByteArray home;          // $HOME as set; the user's folder lies inside it
};

// The places for this user and this installation.
FolderPlaces standardPlaces();

struct FolderChoice {
  QByteArray path;
  QString error;  // why no folder could be had; empty on success
};

// givenFolder is the command line's FOLDER, empty when none was given.
FolderChoice chooseWorkingFolder(const QByteArray& givenFolder, const FolderPlaces& places);

// Makes path the current folder; returns why it could not, or an empty text.
QString enterFolder(const QByteArray& path);

}  // namespace ui

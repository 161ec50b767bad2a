#pragma once

#include <QString>

#include <string>

// File names between Qt and the engine. The engine's file name text is UTF-8 on Windows (it opens
// files through the wide system calls) and the file system's own bytes elsewhere, so a name
// beyond the system's code page ("Jörg Ω") survives the way in both directions. On Windows the
// engine gets names in the system's own form ("C:\Spiele\Haus.cfg"), as its messages show them,
// and Qt gets them back in its own ("C:/Spiele/Haus.cfg"), as every name it holds is written.
std::string engineFileName(const QString& name);
QString qtFileName(const std::string& name);

#pragma once
#include <QIcon>

// The program's icon at the sizes the desktop asks for, the same pictures the package installs.
QIcon icone_lintrace();

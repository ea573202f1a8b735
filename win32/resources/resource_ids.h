// Identifiers of the resources in vorlen.rc, for the resource script and for
// the program's code (LoadIconW, LoadImageW with MAKEINTRESOURCEW).
#ifndef VORLEN_WIN32_RESOURCES_RESOURCE_IDS_H
#define VORLEN_WIN32_RESOURCES_RESOURCE_IDS_H

// The program icon: 16 and 32 px in 16 and 256 colours, 32-bit images at 16,
// 24, 32, 48 and 256 px. The lowest-numbered icon is the one Explorer shows
// for vorlen.exe.
#define IDI_VORLEN 1

// The dedication picture, 260 x 150, an 8-bit device-independent bitmap.
#define IDB_DEDICATION 101

#endif

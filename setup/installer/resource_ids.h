// Identifiers of the installer's own resources (the payload is named, not numbered).
#pragma once

#define IDI_PROGRAM 1
#define IDD_INSTALL 100
#define IDC_INTRODUCTION 101
#define IDC_DESTINATION_GROUP 102
#define IDC_FOLDER 103
#define IDC_BROWSE 104
#define IDC_INSTALL 105
#define IDC_CANCEL 106

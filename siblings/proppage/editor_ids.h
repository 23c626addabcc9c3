// Identifiers of the editor's dialog resource and its controls.
#pragma once

#define IDD_EDITOR 100
#define IDC_SHEETS 1001
#define IDC_SETTINGS 1002
#define IDC_VALUE_LABEL 1003
#define IDC_VALUE 1004
#define IDC_HINT 1005

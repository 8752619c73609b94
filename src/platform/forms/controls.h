#pragma once

// Every control kind, for the windows that use most of them.
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/control.h"
#include "platform/forms/custom_control.h"
#include "platform/forms/data_grid.h"
#include "platform/forms/file_dialog.h"
#include "platform/forms/list_box.h"
#include "platform/forms/static_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/text_box.h"

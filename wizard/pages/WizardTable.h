// The wizard window's table: its declaration and every control.
#pragma once

#include "wizard/frame/Form.h"

#include <span>

extern const FormDecl WizardDecl;
// The rows, with the controls of each page declared in picMain: the form
// layer names containers without an index, so the wizard puts each page's
// controls into their page (PageOfRow) before it loads.
std::span<const ControlDecl> WizardControls();
// The page a row belongs to directly, -1 for rows outside the pages.
int PageOfRow(std::size_t row);

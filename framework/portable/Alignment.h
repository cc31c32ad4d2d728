#pragma once
// Where a text stands across its box: at the left, at the right or in the middle.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

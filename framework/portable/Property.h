#pragma once
// A setter acts on a change only: stores `value` in `field` and says whether it differed
// from what the field held.
template <class T> bool StoreIfChanged(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

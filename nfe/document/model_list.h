#pragma once

#include "foundation/base/base_classes.h"

// The owned lists of the document models. Each list owns its items: removing
// or clearing frees them, and so does destroying the list. Items live on the
// heap, so a reference returned by `NovoItem` stays valid while the list grows.
//
// Header only: no source of its own.

template <typename Item> class TModelList : public TQuibObjectList<Item> {
  public:
    TModelList() : TQuibObjectList<Item>(true) {}

    // Creates an empty item, appends it and returns it.
    Item &NovoItem() { return this->template addNew<Item>(); }

    // The item at a 0-based position; std::out_of_range outside
    // 0 .. count() - 1 (no item is ever created here).
    Item &ObterItem(int index) { return (*this)[index]; }
    const Item &ObterItem(int index) const { return (*this)[index]; }
};

// A list that also offers `AdicionarItem`, the same as `NovoItem`.
template <typename Item> class TModelListAdicionavel : public TModelList<Item> {
  public:
    Item &AdicionarItem() { return this->NovoItem(); }
};

#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/base/quib_exception.h"
#include "foundation/codes/enum_names.h"

// Base classes of the fiscal-document layer: the owned-object list every model
// collection derives from, a list of byte strings, the HTTP header-line list,
// the component base and the exception base (foundation/base/quib_exception.h).

// ---- TQuibObjectList -------------------------------------------------------

// A list of objects that, when it owns them (every collection of this system
// does), frees them on removal and destruction. It keeps a sorted flag: adding
// clears it, `Ordena` sets it and `BuscaBinaria` requires it.
//
// Compare functions return a negative number when the first object sorts
// before the second, a positive one when after and 0 when equal.
template <typename T> class TQuibObjectList {
  public:
    using CompareFunction = std::function<int(const T &, const T &)>;

    explicit TQuibObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
    virtual ~TQuibObjectList() { clear(); }
    TQuibObjectList(const TQuibObjectList &) = delete;
    TQuibObjectList &operator=(const TQuibObjectList &) = delete;

    // Appends the object (taken over when the list owns its objects) and
    // returns its index.
    int Adiciona(T *item)
    {
        items_.push_back(item);
        sorted_ = false;
        return static_cast<int>(items_.size()) - 1;
    }
    int Adiciona(std::unique_ptr<T> item)
    {
        if (!ownsObjects_)
            throw std::logic_error("Uma lista que não possui seus objetos não pode recebê-los por posse");
        return Adiciona(item.release());
    }

    // Sorts with the compare function and sets the sorted flag.
    void Ordena(const CompareFunction &compare)
    {
        std::stable_sort(items_.begin(), items_.end(),
                         [&](const T *a, const T *b) { return compare(*a, *b) < 0; });
        sorted_ = true;
    }

    // The lowest index of an object equal to the key; -1 when none, or the
    // index where the key would be inserted when `insertionPoint` is set.
    // Raises std::logic_error when the list is not sorted.
    int BuscaBinaria(const T &key, const CompareFunction &compare, bool insertionPoint = false) const
    {
        if (!sorted_)
            throw std::logic_error("Lista de Objetos não foi ordenada por chamada ao método \"Sort\"");
        int low = 0;
        int high = count() - 1;
        int found = -1;
        while (found < 0 && high >= low) {
            const int mid = low + (high - low) / 2;
            const int result = compare(key, *items_[static_cast<std::size_t>(mid)]);
            if (result < 0) {
                high = mid - 1;
            } else if (result > 0) {
                low = mid + 1;
            } else {
                found = mid;
                while (found > low && compare(key, *items_[static_cast<std::size_t>(found - 1)]) == 0)
                    --found;
            }
        }
        if (found < 0 && insertionPoint)
            return low;
        return found;
    }

    bool sorted() const { return sorted_; }
    bool ownsObjects() const { return ownsObjects_; }
    int count() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }

    // Indexed access; raises std::out_of_range outside 0 .. count() - 1.
    T &operator[](int index) { return *items_[checked(index)]; }
    const T &operator[](int index) const { return *items_[checked(index)]; }

    // Removes (and frees, when owning) the object at the index.
    void remove(int index)
    {
        const std::size_t i = checked(index);
        T *item = items_[i];
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
        release(item);
    }

    // Removes (and frees, when owning) every object.
    void clear()
    {
        auto items = std::move(items_);
        items_.clear();
        for (T *item : items)
            release(item);
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  protected:
    // For the typed `NovoItem` of the collections: creates, appends and
    // returns a new object.
    template <typename U = T, typename... Args> U &addNew(Args &&...args)
    {
        auto item = std::make_unique<U>(std::forward<Args>(args)...);
        U &ref = *item;
        Adiciona(std::unique_ptr<T>(std::move(item)));
        return ref;
    }

  private:
    std::size_t checked(int index) const
    {
        if (index < 0 || index >= count())
            throw std::out_of_range("Índice da lista fora dos limites (" + std::to_string(index) + ")");
        return static_cast<std::size_t>(index);
    }

    void release(T *item)
    {
        if (ownsObjects_)
            delete item;
    }

    std::vector<T *> items_;
    bool ownsObjects_;
    bool sorted_ = false;
};

// ---- TAnsiStringList ---------------------------------------------------------

// A growable list of byte strings (command bytes of the printer layer).
class TAnsiStringList {
  public:
    void Limpa() { items_.clear(); }
    int Adiciona(std::string_view bytes);
    int Quantidade() const { return static_cast<int>(items_.size()); }
    // Raises std::out_of_range outside 0 .. Quantidade() - 1.
    const std::string &Item(int index) const;
    std::string TextoUnido() const;

  private:
    std::vector<std::string> items_;
};

// ---- THttpHeader -------------------------------------------------------------

// HTTP header lines, each "name: value". Field names compare whole and without
// regard to case, as HTTP defines them; a name may be given with its colon
// ("Location:"), as the transports read them.
class THttpHeader {
  public:
    // Index of the first line whose field name is `name`; -1 when none.
    int IndiceDoCampo(std::string_view name) const;
    // The trimmed text after the first ":" of the line; empty when the index is
    // out of range or the line has no ":".
    std::string ValorDaLinha(int index) const;
    std::string ValorDoCampo(std::string_view name) const;
    // Replaces the field's line by "name: value", or appends it; returns its index.
    int GravaCampo(std::string_view name, std::string_view value);

    int count() const { return static_cast<int>(lines_.size()); }
    // Raises std::out_of_range outside 0 .. count() - 1.
    const std::string &line(int index) const;
    int add(std::string_view line);
    // Inserts before the index (count() appends); raises std::out_of_range beyond.
    void insert(int index, std::string_view line);
    void remove(int index);
    void clear() { lines_.clear(); }
    // Every line followed by CR LF.
    std::string text() const;
    // Replaces the lines by those of the text (split at CR LF, LF or CR).
    void setText(std::string_view text);

  private:
    std::vector<std::string> lines_;
};

// ---- TQuibComponent ------------------------------------------------------------

enum TQuibAboutInfo : std::uint8_t { QuibAbout };
template <>
inline constexpr auto
    kEnumNames<TQuibAboutInfo> = std::to_array<EnumName<TQuibAboutInfo>>({{QuibAbout, "QuibAbout"}});

// What happens to a component that another one was told about.
enum TOperation : std::uint8_t { opInsert, opRemove };

// Base of the components of the fiscal-document layer. `AboutQuib` is an
// informational marker that is never stored.
//
// Links between components that do not own each other (a mailer attached to a
// fiscal component, a report attached to it) are kept safe by free
// notification: after A.FreeNotification(&B), whichever of the two is
// destroyed first calls Notification(itself, opRemove) on the other, which
// then drops its reference. The link is mutual and kept once however often it
// is made; RemoveFreeNotification undoes it on both sides. Not thread-safe:
// linked components live on one thread.
class TQuibComponent {
  public:
    TQuibComponent() = default;
    virtual ~TQuibComponent();
    TQuibComponent(const TQuibComponent &) = delete;
    TQuibComponent &operator=(const TQuibComponent &) = delete;

    TQuibAboutInfo AboutQuib() const { return QuibAbout; }

    void FreeNotification(TQuibComponent *component);
    void RemoveFreeNotification(TQuibComponent *component);

  protected:
    // Called on a linked component that is going away (opRemove). The
    // component is being destroyed: only its address may be compared.
    virtual void Notification(TQuibComponent *component, TOperation operation);

  private:
    std::vector<TQuibComponent *> freeNotifies_;
};

#pragma once
// An allocator for the nodes of the totals engine's trees. The engine takes groups out and
// puts them in anew at every level, so a tree allocates and frees a node for nearly every
// changed row; single nodes come here from a free list, carved from blocks, and go back to
// it. The store is shared by every tree of a node type and kept for the program's lifetime
// (the program has one thread); a freed node is used again, so it holds as many nodes as the
// trees have held at once. Other sizes go to operator new.
#include <cstddef>
#include <new>

namespace vt {

// The sanitizer build gives every node its own allocation, so that a node used after it was
// freed is caught there rather than hidden in the free list.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool VAPAALISTA_POIS = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool VAPAALISTA_POIS = true;
#else
inline constexpr bool VAPAALISTA_POIS = false;
#endif
#else
inline constexpr bool VAPAALISTA_POIS = false;
#endif

namespace solmuvarasto_detail {

// One free list for each slot size and alignment.
template <std::size_t Koko, std::size_t Tasaus> class Varasto {
  public:
    static void *ota() {
        if (vapaat_ != nullptr) {
            Vapaa *v = vapaat_;
            vapaat_ = v->seuraava;
            return v;
        }
        if (jaljella_ == 0) {
            // The first slot of a block links the blocks, so that all stay reachable.
            auto *lohko =
                static_cast<char *>(::operator new ((LOHKO + 1) * Koko, std::align_val_t{Tasaus}));
            *reinterpret_cast<void **>(lohko) = lohkot_;
            lohkot_ = lohko;
            seuraava_ = lohko + Koko;
            jaljella_ = LOHKO;
        }
        void *p = seuraava_;
        seuraava_ += Koko;
        --jaljella_;
        return p;
    }
    static void palauta(void *p) { vapaat_ = new (p) Vapaa{vapaat_}; }

  private:
    struct Vapaa {
        Vapaa *seuraava;
    };
    static constexpr std::size_t LOHKO = 512; // slots in a block
    static inline Vapaa *vapaat_ = nullptr;
    static inline void *lohkot_ = nullptr;
    static inline char *seuraava_ = nullptr;
    static inline std::size_t jaljella_ = 0;
};

constexpr std::size_t pyorista(std::size_t n, std::size_t a) { return (n + a - 1) / a * a; }

} // namespace solmuvarasto_detail

template <class T> class Solmuvarasto {
  public:
    using value_type = T;
    using pointer = T *;
    using const_pointer = const T *;
    using reference = T &;
    using const_reference = const T &;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    template <class U> struct rebind { using other = Solmuvarasto<U>; };

    Solmuvarasto() = default;
    template <class U> explicit Solmuvarasto(const Solmuvarasto<U> &) {}

    T *allocate(std::size_t n) {
        if (n != 1 || VAPAALISTA_POIS)
            return static_cast<T *>(::operator new(n * sizeof(T)));
        return static_cast<T *>(ListaOf<T>::tyyppi::ota());
    }
    void deallocate(T *p, std::size_t n) {
        if (n != 1 || VAPAALISTA_POIS) {
            ::operator delete(p);
            return;
        }
        ListaOf<T>::tyyppi::palauta(p);
    }
    bool operator==(const Solmuvarasto &) const { return true; }
    bool operator!=(const Solmuvarasto &) const { return false; }

  private:
    // Named only in the bodies, where T is complete (a tree's node names its allocator).
    template <class U> struct ListaOf {
        static constexpr std::size_t TASAUS = alignof(U) > alignof(void *) ? alignof(U)
                                                                           : alignof(void *);
        using tyyppi = solmuvarasto_detail::Varasto<
            solmuvarasto_detail::pyorista(sizeof(U) > sizeof(void *) ? sizeof(U) : sizeof(void *),
                                          TASAUS),
            TASAUS>;
    };
};

} // namespace vt

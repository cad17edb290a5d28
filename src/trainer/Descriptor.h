#pragma once

#include <utility>

// Owns one file descriptor and closes it when it goes away. A terminal opened exclusively
// gives its exclusivity back first: it outlives our descriptor when another holds it open.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    void marcarExclusivo() { exclusivo_ = true; }
    ~Descriptor() { cerrar(); }
    Descriptor(Descriptor&& otro) noexcept
        : fd_(std::exchange(otro.fd_, -1)), exclusivo_(std::exchange(otro.exclusivo_, false)) {}
    Descriptor& operator=(Descriptor&& otro) noexcept {
        if (this != &otro) {
            cerrar();
            fd_ = std::exchange(otro.fd_, -1);
            exclusivo_ = std::exchange(otro.exclusivo_, false);
        }
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int fd() const { return fd_; }
    bool valido() const { return fd_ >= 0; }
    void cerrar();

private:
    int fd_ = -1;
    bool exclusivo_ = false;
};

// A descriptor that becomes readable when another thread calls senalar(): wakes a poll().
class Aviso {
public:
    Aviso();
    void senalar();
    int fd() const { return fd_.fd(); }

private:
    Descriptor fd_;
};

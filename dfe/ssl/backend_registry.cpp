#include "dfe/ssl/backend_registry.h"

#include <map>
#include <mutex>

namespace {

template <typename Lib, typename Factory> class FactoryTable {
  public:
    void set(Lib lib, Factory factory)
    {
        std::lock_guard lock(mutex_);
        if (factory)
            factories_[lib] = std::move(factory);
        else
            factories_.erase(lib);
    }
    Factory get(Lib lib) const
    {
        std::lock_guard lock(mutex_);
        const auto found = factories_.find(lib);
        return found == factories_.end() ? Factory{} : found->second;
    }

  private:
    mutable std::mutex mutex_;
    std::map<Lib, Factory> factories_;
};

FactoryTable<TSSLCryptLib, CryptBackendFactory> &cryptTable()
{
    static FactoryTable<TSSLCryptLib, CryptBackendFactory> table;
    return table;
}

FactoryTable<TSSLHttpLib, HttpBackendFactory> &httpTable()
{
    static FactoryTable<TSSLHttpLib, HttpBackendFactory> table;
    return table;
}

FactoryTable<TSSLXmlSignLib, XmlSignBackendFactory> &xmlSignTable()
{
    static FactoryTable<TSSLXmlSignLib, XmlSignBackendFactory> table;
    return table;
}

} // namespace

void registerCryptBackend(TSSLCryptLib lib, CryptBackendFactory factory)
{
    cryptTable().set(lib, std::move(factory));
}

void registerHttpBackend(TSSLHttpLib lib, HttpBackendFactory factory)
{
    httpTable().set(lib, std::move(factory));
}

void registerXmlSignBackend(TSSLXmlSignLib lib, XmlSignBackendFactory factory)
{
    xmlSignTable().set(lib, std::move(factory));
}

CryptBackendFactory cryptBackendFactory(TSSLCryptLib lib)
{
    return cryptTable().get(lib);
}

HttpBackendFactory httpBackendFactory(TSSLHttpLib lib)
{
    return httpTable().get(lib);
}

XmlSignBackendFactory xmlSignBackendFactory(TSSLXmlSignLib lib)
{
    return xmlSignTable().get(lib);
}

std::unique_ptr<TDFeSSLCryptClass> createCryptBackend(TSSLCryptLib lib, TDFeSSL &ssl)
{
    const auto factory = cryptBackendFactory(lib);
    return factory ? factory(ssl) : std::make_unique<TDFeSSLCryptClass>(ssl);
}

std::unique_ptr<TDFeSSLHttpClass> createHttpBackend(TSSLHttpLib lib, TDFeSSL &ssl)
{
    const auto factory = httpBackendFactory(lib);
    return factory ? factory(ssl) : std::make_unique<TDFeSSLHttpClass>(ssl);
}

std::unique_ptr<TDFeSSLXmlSignClass> createXmlSignBackend(TSSLXmlSignLib lib, TDFeSSL &ssl)
{
    const auto factory = xmlSignBackendFactory(lib);
    return factory ? factory(ssl) : std::make_unique<TDFeSSLXmlSignClass>(ssl);
}

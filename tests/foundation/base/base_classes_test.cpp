#include <memory>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/base/base_classes.h"

namespace {

struct Item {
    explicit Item(int k, int *freed = nullptr) : key(k), freedCounter(freed) {}
    ~Item()
    {
        if (freedCounter)
            ++*freedCounter;
    }
    int key;
    int *freedCounter;
};

class ItemList : public TQuibObjectList<Item> {
  public:
    Item &NovoItem(int key) { return addNew(key); }
};

// Answers 2 and -2 instead of 1 and -1: only the sign may count.
int compareByKey(const Item &a, const Item &b)
{
    return a.key < b.key ? -2 : (a.key > b.key ? 2 : 0);
}

TEST(ObjectList, BinarySearchFindsLowestEqualAndInsertionPoint)
{
    ItemList list;
    for (int k : {5, 2, 1, 2, 2})
        list.NovoItem(k);
    list.Ordena(compareByKey);
    EXPECT_TRUE(list.sorted());

    struct Case {
        int key;
        bool insertion;
        int expected;
    };
    const Case cases[] = {{2, false, 1}, {3, false, -1}, {3, true, 4}, {9, true, 5},
                          {0, true, 0},  {1, false, 0},  {5, false, 4}};
    for (const auto &c : cases)
        EXPECT_EQ(list.BuscaBinaria(Item(c.key), compareByKey, c.insertion), c.expected) << c.key;

    ItemList empty;
    empty.Ordena(compareByKey);
    EXPECT_EQ(empty.BuscaBinaria(Item(1), compareByKey, true), 0);
}

TEST(ObjectList, SearchOnUnsortedListRaises)
{
    ItemList list;
    list.NovoItem(1);
    try {
        list.BuscaBinaria(Item(1), compareByKey);
        FAIL() << "no exception";
    } catch (const std::logic_error &e) {
        EXPECT_STREQ(e.what(), "Lista de Objetos não foi ordenada por chamada ao método \"Sort\"");
    }
    list.Ordena(compareByKey);
    list.NovoItem(0);
    EXPECT_FALSE(list.sorted());
    EXPECT_THROW(list.BuscaBinaria(Item(1), compareByKey), std::logic_error);
}

TEST(ObjectList, OwnsAndFreesItsObjects)
{
    int freed = 0;
    {
        ItemList list;
        list.Adiciona(new Item(1, &freed));
        list.Adiciona(std::make_unique<Item>(2, &freed));
        list.Adiciona(new Item(3, &freed));
        EXPECT_EQ(list.count(), 3);
        EXPECT_EQ(list[1].key, 2);
        EXPECT_THROW(list[3], std::out_of_range);
        EXPECT_THROW(list[-1], std::out_of_range);
        list.remove(0);
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(list[0].key, 2);
    }
    EXPECT_EQ(freed, 3);

    Item kept(7, &freed);
    {
        TQuibObjectList<Item> borrowing(false);
        borrowing.Adiciona(&kept);
        EXPECT_THROW(borrowing.Adiciona(std::make_unique<Item>(8, &freed)), std::logic_error);
    }
    EXPECT_EQ(freed, 4); // only the rejected one, not the borrowed one
}

TEST(AnsiStringList, CollectsBytes)
{
    TAnsiStringList list;
    EXPECT_EQ(list.TextoUnido(), "");
    EXPECT_EQ(list.Adiciona("\x1b@"), 0);
    EXPECT_EQ(list.Adiciona(std::string("\0a", 2)), 1);
    EXPECT_EQ(list.Quantidade(), 2);
    EXPECT_EQ(list.Item(1), std::string("\0a", 2));
    EXPECT_EQ(list.TextoUnido(), std::string("\x1b@\0a", 4));
    EXPECT_THROW(list.Item(2), std::out_of_range);
    list.Limpa();
    EXPECT_EQ(list.Quantidade(), 0);
}

TEST(HttpHeader, FieldNamesMatchWholeAndWithoutCase)
{
    THttpHeader header;
    header.add("Accept-Encoding: gzip");
    EXPECT_EQ(header.IndiceDoCampo("Accept"), -1);
    EXPECT_EQ(header.GravaCampo("Accept", "*/*"), 1);
    EXPECT_EQ(header.ValorDoCampo("Accept-Encoding"), "gzip");
    EXPECT_EQ(header.ValorDoCampo("accept"), "*/*");

    EXPECT_EQ(header.GravaCampo("Content-Type", "text/xml"), 2);
    EXPECT_EQ(header.GravaCampo("content-type", "application/soap+xml"), 2);
    EXPECT_EQ(header.count(), 3);
    EXPECT_EQ(header.line(2), "content-type: application/soap+xml");
    EXPECT_EQ(header.ValorDoCampo("Content-Type"), "application/soap+xml");

    EXPECT_EQ(header.ValorDoCampo("X-Missing"), "");
    EXPECT_EQ(header.ValorDaLinha(99), "");
    header.add("no colon here");
    EXPECT_EQ(header.ValorDaLinha(3), "");
    header.add("Host :  example.com:443 ");
    EXPECT_EQ(header.ValorDoCampo("Host"), "example.com:443");
}

// The transports name fields with their colon, as "Location:".
TEST(HttpHeader, ANameMayCarryItsColon)
{
    THttpHeader header;
    header.add("Location: https://b.example/x");
    EXPECT_EQ(header.IndiceDoCampo("Location:"), 0);
    EXPECT_EQ(header.ValorDoCampo("Location:"), "https://b.example/x");
    EXPECT_EQ(header.GravaCampo("Content-Type:", "text/xml"), 1);
    EXPECT_EQ(header.GravaCampo("Content-Type", "application/soap+xml"), 1);
    EXPECT_EQ(header.line(1), "Content-Type: application/soap+xml");
    EXPECT_EQ(header.ValorDoCampo("Content-Type:"), "application/soap+xml");
    EXPECT_EQ(header.IndiceDoCampo("Location::"), -1) << "only one colon belongs to the name";
}

TEST(HttpHeader, TextRoundTrip)
{
    THttpHeader header;
    header.setText("A: 1\r\nB: 2\nC: 3");
    EXPECT_EQ(header.count(), 3);
    header.insert(0, "Z: 0");
    EXPECT_EQ(header.text(), "Z: 0\r\nA: 1\r\nB: 2\r\nC: 3\r\n");
    header.remove(1);
    EXPECT_EQ(header.ValorDoCampo("A"), "");
    EXPECT_THROW(header.insert(9, "x"), std::out_of_range);
    header.clear();
    EXPECT_EQ(header.text(), "");
}

TEST(QuibBase, ComponentAndExceptionBases)
{
    TQuibComponent component;
    EXPECT_EQ(EnumValueName(component.AboutQuib()), "QuibAbout");
    try {
        throw EQuibException("falhou");
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "falhou");
    }
}

} // namespace

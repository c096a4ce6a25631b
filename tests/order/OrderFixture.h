#pragma once

#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/Statement.h"
#include "data/TableStore.h"

#include <gtest/gtest.h>

// A real in-memory catalog with the tables the order works on and a few products.
class OrderFixture : public testing::Test {
protected:
    struct ProductRow {
        int id;
        QString code;
        QString name;
        double cena;
        double maxDiscount = 0;
        int st1 = 0, st2 = 0, st3 = 0;
        double wst3 = 0, vst3 = 0;
    };

    OrderFixture() : store(db)
    {
        for (const QString &t : {CatalogTables::Price, CatalogTables::FPrice, CatalogTables::Zakaz,
                                 CatalogTables::Main, CatalogTables::Doc})
            store.create(t);
    }

    void addProduct(const ProductRow &p)
    {
        Statement q = db.prepare(QStringLiteral(
            "insert into price (id,code,fullname,nds,koltek,cena,maxdiscount,articul,tm,country,"
            "st1,st2,st3,wst3,vst3,idgroup,idsubgroup,fullname_ind,articul_ind,isphoto,isnew,"
            "barcode) values (?1,?2,?3,20,5,?4,?5,'A-'||?1,'TM','Россия',?6,?7,?8,?9,?10,1,0,"
            "upper(?3),'A-'||?1,0,0,'46'||?1)"));
        q.bind(1, p.id).bind(2, p.code).bind(3, p.name).bind(4, p.cena).bind(5, p.maxDiscount);
        q.bind(6, p.st1).bind(7, p.st2).bind(8, p.st3).bind(9, p.wst3).bind(10, p.vst3);
        q.exec();
    }

    void removeProduct(int id)
    {
        Statement q = db.prepare(QStringLiteral("delete from price where id=?1"));
        q.bind(1, id).exec();
    }

    void setPrice(int id, double cena)
    {
        Statement q = db.prepare(QStringLiteral("update price set cena=?2 where id=?1"));
        q.bind(1, id).bind(2, cena).exec();
    }

    // Price.KOLZAK of a product; -1 for null.
    int kolzak(int id)
    {
        Statement q = db.prepare(QStringLiteral("select kolzak from price where id=?1"));
        q.bind(1, id);
        EXPECT_TRUE(q.step());
        return q.isNull(0) ? -1 : q.columnInt(0);
    }

    int count(const QString &sql)
    {
        Statement q = db.prepare(sql);
        q.step();
        return q.columnInt(0);
    }

    Database db;
    TableStore store;
};

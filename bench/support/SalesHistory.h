#pragma once

class QDate;
class Session;

// Fills a data file with years of sales for the benchmarks: tickets two
// minutes apart from 2024-01-01, each with the same number of lines.
void GenerateSales(Session &connection, int tickets, int linesPerTicket);
// Products named "商品1" ... with prices.
void GenerateProducts(Session &connection, int products);
// One day's sales for the day-end: tickets spread over the day, each with
// three of `products` products and a payment row, every twentieth a return.
void GenerateDay(Session &connection, const QDate &day, int tickets, int products);

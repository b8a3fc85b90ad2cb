INSERT INTO T VALUES ('a;b''c'); -- x;
/* y; */ SELECT "q;" FROM T;
